#pragma once

#include <string>
#include <vector>

// Runs the batch job of the arguments with messages and progress on the terminal, reading and
// storing the persistent settings; answers the exit status. SIGINT, SIGTERM and SIGHUP
// cancel the job.
int RunHeadless(const std::vector<std::string>& arguments);
