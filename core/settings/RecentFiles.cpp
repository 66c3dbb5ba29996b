#include "settings/RecentFiles.h"

#include <algorithm>

namespace {

std::string KeyOf(int index) {
    return "File" + std::to_string(index + 1);
}

}  // namespace

void RecentFiles::Load(SettingsStore& store) {
    paths.clear();
    for (int i = 0; i < kCapacity; ++i) {
        const std::string path = store.ReadString(KeyOf(i)).value_or("");
        if (!path.empty()) paths.push_back(path);
    }
}

void RecentFiles::Save(SettingsStore& store) const {
    for (int i = 0; i < kCapacity; ++i) {
        store.WriteString(KeyOf(i), i < static_cast<int>(paths.size()) ? paths[i] : "");
    }
}

void RecentFiles::Add(const std::string& path) {
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
    paths.insert(paths.begin(), path);
    if (paths.size() > static_cast<size_t>(kCapacity)) paths.resize(kCapacity);
}
