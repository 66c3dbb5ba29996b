#include "settings/SettingsStore.h"

#include <charconv>

std::optional<std::string> MemorySettingsStore::ReadString(const std::string& key) {
    const auto found = values.find(key);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

std::optional<int> MemorySettingsStore::ReadInt(const std::string& key) {
    const auto found = values.find(key);
    if (found == values.end()) return std::nullopt;
    int value = 0;
    const std::string& text = found->second;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}
