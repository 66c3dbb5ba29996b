#include "sequence/NumberedName.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the stem ends: the last ".", or the end of the name.
size_t StemEnd(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name.size() : dot;
}

}  // namespace

std::string ExtensionOf(const std::string& name) {
    const size_t end = StemEnd(name);
    return end < name.size() ? name.substr(end + 1) : std::string();
}

std::string StemOf(const std::string& name) {
    return name.substr(0, StemEnd(name));
}

std::string SequenceNameOf(const std::string& name) {
    const size_t end = StemEnd(name);
    size_t start = end;
    while (start > 0 && IsDigit(name[start - 1])) --start;
    return name.substr(0, start) + name.substr(end);
}

int FrameNumberOf(const std::string& fileName, int& digitCount) {
    const size_t end = StemEnd(fileName);
    digitCount = 0;
    if (end == 0) return -1;
    // Saturates rather than overflows: a long run of digits is no reason to misbehave. The
    // place value stops growing once any non-zero digit there would saturate anyway.
    int64_t value = 0, place = 1;
    for (size_t i = end; i > 0 && IsDigit(fileName[i - 1]); --i, ++digitCount) {
        value = std::min<int64_t>(value + (fileName[i - 1] - '0') * place, INT_MAX);
        if (place <= INT_MAX) place *= 10;
    }
    return static_cast<int>(value);
}

bool HasFrameNumber(const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    return dot != std::string::npos && dot > 0 && IsDigit(fileName[dot - 1]);
}
