#include "sequence/DirectorySearch.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>

namespace {

bool SameIgnoringCase(const std::string& text, size_t at, const std::string& part) {
    return strncasecmp(text.c_str() + at, part.c_str(), part.size()) == 0;
}

std::vector<std::string> FilesIn(const std::string& directory) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(directory.empty() ? "." : directory, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::vector<std::string> FindFiles(const std::string& directory, const std::string& prefix,
                                   const std::string& suffix) {
    std::vector<std::string> found;
    for (std::string& name : FilesIn(directory)) {
        if (name.size() < prefix.size() + suffix.size()) continue;
        if (!SameIgnoringCase(name, 0, prefix)) continue;
        if (!SameIgnoringCase(name, name.size() - suffix.size(), suffix)) continue;
        found.push_back(std::move(name));
    }
    return found;
}

std::optional<std::string> FindFile(const std::string& directory, const std::string& name) {
    std::optional<std::string> found;
    if (name.empty()) return found;
    for (std::string& candidate : FilesIn(directory)) {
        if (candidate == name) return candidate;
        if (!found && candidate.size() == name.size() && SameIgnoringCase(candidate, 0, name)) {
            found = std::move(candidate);
        }
    }
    return found;
}
