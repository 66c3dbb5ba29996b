#include "util/PathParts.h"

#include <cctype>

PathParts SplitPath(const std::string& path) {
    PathParts parts;
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    parts.directory = path.substr(0, nameStart);
    const std::string fileName = path.substr(nameStart);
    const size_t dot = fileName.rfind('.');
    parts.name = fileName.substr(0, dot);
    if (dot != std::string::npos) parts.extension = fileName.substr(dot);
    return parts;
}

std::string AsciiLower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
