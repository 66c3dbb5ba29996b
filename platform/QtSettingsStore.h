#pragma once

#include <QSettings>

#include "settings/SettingsStore.h"

// The persistent settings in the desktop's per-user store: organisation "Kesto", application
// "mosa", group "Settings". A batch run and the desktop application read and write the same.
class QtSettingsStore : public SettingsStore {
  public:
    QtSettingsStore();
    std::optional<std::string> ReadString(const std::string& key) override;
    void WriteString(const std::string& key, const std::string& value) override;
    std::optional<int> ReadInt(const std::string& key) override;
    void WriteInt(const std::string& key, int value) override;

  private:
    QSettings settings;
};
