#include "sequence/SequenceScan.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "sequence/DirectorySearch.h"
#include "sequence/NumberedName.h"
#include "util/PathParts.h"

namespace {

std::vector<std::string> SequenceMembers(const std::string& sequenceName) {
    const std::string extension = ExtensionOf(sequenceName);
    // The wildcard would stand in a directory part, which a search does not expand.
    if (extension.find('/') != std::string::npos) return {};
    const std::string stem = StemOf(sequenceName);
    const std::string directory = SplitPath(stem).directory;
    return FindFiles(directory, stem.substr(directory.size()), "." + extension);
}

std::string CurrentDirectory() {
    std::error_code error;
    std::string directory = std::filesystem::current_path(error).string();
    if (directory.empty() || directory.back() != '/') directory += '/';
    return directory;
}

}  // namespace

int ScanSequence(ImageSequence& sequence, const std::string& sequenceName) {
    int added = 0;
    for (std::string& name : SequenceMembers(sequenceName)) {
        if (!HasFrameNumber(name)) continue;
        if (added == 0) sequence.directory = SplitPath(sequenceName).directory;
        int digitCount = 0;
        const int frame = FrameNumberOf(name, digitCount);
        InsertByFrame(sequence, {std::move(name), frame});
        ++added;
    }
    return added;
}

int AddSingleFile(ImageSequence& sequence, const std::string& path) {
    const PathParts parts = SplitPath(path);
    std::optional<std::string> found = FindFile(parts.directory, parts.name + parts.extension);
    if (!found) return 0;
    sequence.directory = parts.drive + parts.directory;
    if (sequence.directory.empty()) sequence.directory = CurrentDirectory();
    sequence.entries.assign(1, SequenceEntry{std::move(*found), 0});
    return 1;
}

int CountSequenceFiles(const std::string& sequenceName, int& first, int& last, int& digitCount) {
    first = last = -1;
    digitCount = 0;
    const std::vector<std::string> members = SequenceMembers(sequenceName);
    for (size_t i = 0; i < members.size(); ++i) {
        const int frame = FrameNumberOf(members[i], digitCount);
        first = i == 0 ? frame : std::min(first, frame);
        last = i == 0 ? frame : std::max(last, frame);
    }
    return static_cast<int>(members.size());
}
