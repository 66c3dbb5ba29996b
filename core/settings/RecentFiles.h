#pragma once

#include <string>
#include <vector>

#include "settings/SettingsStore.h"

// The File menu's list of recently opened pictures: newest first, each path once, at most
// four. Stored as the keys "File1" to "File4" of its own section of the settings.
class RecentFiles {
  public:
    static constexpr int kCapacity = 4;

    // Empty entries are gaps left by an earlier, shorter list and are skipped.
    void Load(SettingsStore& store);
    // Every key is written, the unused ones empty, so a shorter list leaves no stale entry.
    void Save(SettingsStore& store) const;
    // Puts the path first, dropping an older copy of it and whatever falls off the end.
    void Add(const std::string& path);

    const std::vector<std::string>& Paths() const { return paths; }

  private:
    std::vector<std::string> paths;
};
