#include "sequence/NumberedOutput.h"

#include "util/FormatText.h"

namespace {

std::string Joined(const PathParts& parts, const std::string& number) {
    return parts.drive + parts.directory + parts.name + number + parts.extension;
}

}  // namespace

std::string FiveViewOutputName(const std::string& directory, const std::string& baseName, int frame,
                               const std::string& extension) {
    return Format("%s%s%05d%s", directory.c_str(), baseName.c_str(), frame, extension.c_str());
}

std::string NumberedOutputName(const PathParts& output, int digitCount, int frame) {
    return Joined(output, Format("%0*d", digitCount, frame));
}

std::string NumberedDisplayName(const PathParts& output, int digitCount) {
    return Joined(output, std::string(static_cast<size_t>(digitCount > 0 ? digitCount : 0), '#'));
}

std::string NoFilesInSequenceMessage(const std::string& sequenceName) {
    return Format("No files in sequence '%s' ?!", sequenceName.c_str());
}

std::string SequenceRunMessage(int count, const std::string& sequenceName, int first, int last,
                               const std::string& displayName) {
    return Format("%d files in sequence '%s' (%d to %d)\n output as %s", count,
                  sequenceName.c_str(), first, last, displayName.c_str());
}
