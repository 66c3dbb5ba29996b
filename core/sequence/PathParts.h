#pragma once

#include <string>

// A path cut into its parts; put back together in order they give the path again.
struct PathParts {
    std::string drive;      // always empty: paths here have no drive
    std::string directory;  // up to and including the last "/"; empty when there is none
    std::string name;       // the file name without its extension
    std::string extension;  // from the last "." of the file name on, dot included
};

PathParts SplitPath(const std::string& path);
