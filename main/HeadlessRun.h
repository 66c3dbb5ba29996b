#pragma once

#include <string>
#include <vector>

// Exit statuses of a batch run.
enum ExitStatus { kExitDone = 0, kExitJobFailed = 1, kExitBadCommandLine = 2 };

// Runs the batch job of the arguments with messages and progress on the terminal, reading and
// storing the persistent settings; answers the exit status.
int RunHeadless(const std::vector<std::string>& arguments);
