#pragma once

#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "ports/Documents.h"

// How a batch run ended, for the program's exit status.
enum class BatchOutcome {
    kDone,            // the job finished and wrote its output
    kJobFailed,       // a file was missing, unreadable or unwritable, or the job was cancelled
    kBadCommandLine,  // the arguments could not be understood
};

struct CommandLineResult {
    int returnValue = 0;  // 1 after a four-view job that ran, else 0
    BatchOutcome outcome = BatchOutcome::kJobFailed;
};

extern const char* const kUsageText;

// Runs the batch job the arguments ask for (arguments[0] is the program): the four-view pan
// by default, the five-view polar job with -5viewpolar.
CommandLineResult RunCommandLine(const std::vector<std::string>& arguments,
                                 const AppSettings& appSettings, JobPorts& ports);
