#pragma once

#include <string>
#include <vector>

// Runs the desktop application (interactive, or the command line's job with its windows
// shown), first opening the pictures given; answers the exit status.
int RunDesktop(int& argc, char** argv, const std::vector<std::string>& arguments,
               const std::vector<std::string>& picturesToOpen);
