#pragma once

#include <optional>
#include <string>
#include <vector>

// Looking up files in one directory ("" is the current one). Names compare without regard to
// ASCII case, and answers come in name order whatever order the directory lists them in, so
// a search gives the same result on every run. Directories are not files here.

// The files whose names start with prefix and end with suffix, the two not overlapping: the
// pattern prefix, any characters, suffix.
std::vector<std::string> FindFiles(const std::string& directory, const std::string& prefix,
                                   const std::string& suffix);

// The file called name, spelt as the directory spells it; a name equal in case wins over one
// that differs only in case.
std::optional<std::string> FindFile(const std::string& directory, const std::string& name);
