#pragma once

#include <QSettings>

#include "settings/SettingsStore.h"

// One section of the desktop's per-user store (organisation "Kesto", application "mosa"): the
// program's settings live in "Settings", the recent-file list in "Recent File List". A batch
// run and the desktop application read and write the same.
class QtSettingsStore : public SettingsStore {
  public:
    explicit QtSettingsStore(const std::string& section = "Settings");
    std::optional<std::string> ReadString(const std::string& key) override;
    void WriteString(const std::string& key, const std::string& value) override;
    std::optional<int> ReadInt(const std::string& key) override;
    void WriteInt(const std::string& key, int value) override;

  private:
    QString Key(const std::string& key) const;

    QSettings settings;
    QString prefix;
};
