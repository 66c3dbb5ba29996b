#include "sequence/NumberedOutput.h"

#include <cstdarg>
#include <cstdio>

namespace {

__attribute__((format(printf, 1, 2))) std::string Format(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, again);
    va_end(again);
    return text;
}

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
