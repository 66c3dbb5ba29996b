#pragma once

#include <string>

// A path split the way the jobs need it: directory (up to and including the last "/"),
// file name without extension, and extension with its dot ("" when the file name has none).
// There are no drives on this platform; the part is kept so that names built from the parts
// read like the numbered-name patterns that use it.
struct PathParts {
    std::string drive;
    std::string directory;
    std::string name;
    std::string extension;
};

PathParts SplitPath(const std::string& path);

// Lower-case copy, for comparing extensions.
std::string AsciiLower(std::string text);
