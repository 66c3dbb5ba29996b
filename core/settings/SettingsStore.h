#pragma once

#include <map>
#include <optional>
#include <string>

// The per-user store of persistent settings (one section of keys). The front ends back it
// with the desktop's settings store; tests use the in-memory one.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> ReadString(const std::string& key) = 0;
    virtual void WriteString(const std::string& key, const std::string& value) = 0;
    virtual std::optional<int> ReadInt(const std::string& key) = 0;
    virtual void WriteInt(const std::string& key, int value) = 0;
};

class MemorySettingsStore : public SettingsStore {
  public:
    std::optional<std::string> ReadString(const std::string& key) override;
    void WriteString(const std::string& key, const std::string& value) override {
        values[key] = value;
    }
    std::optional<int> ReadInt(const std::string& key) override;
    void WriteInt(const std::string& key, int value) override {
        values[key] = std::to_string(value);
    }

    std::map<std::string, std::string> values;
};
