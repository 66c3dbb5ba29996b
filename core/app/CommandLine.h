#pragma once

#include <optional>

#include <string>
#include <vector>

#include "ports/Documents.h"
#include "settings/AppSettings.h"

// How a batch run ended, for the program's exit status.
enum class BatchOutcome {
    kDone,            // the job finished and wrote its output
    kJobFailed,       // a file was missing, unreadable or unwritable
    kBadCommandLine,  // the arguments could not be understood
    kCancelled,       // stopped before its output was written
};

// The process's exit status for a batch run: 0 done, 1 failed, 2 bad command line; a run
// cancelled by a signal answers 128 + the signal's number (130 for SIGINT, 143 for SIGTERM),
// one cancelled from a window 1.
int ExitStatusOf(BatchOutcome outcome, int cancelSignal);

struct CommandLineResult {
    int returnValue = 0;  // 1 after a four-view job that ran, else 0
    BatchOutcome outcome = BatchOutcome::kJobFailed;
};

extern const char* const kUsageText;

// Runs the batch job the arguments ask for (arguments[0] is the program): the four-view pan
// by default, the five-view polar job with -5viewpolar.
CommandLineResult RunCommandLine(const std::vector<std::string>& arguments,
                                 const AppSettings& appSettings, JobPorts& ports);

// "mosa --open FILE..." (how a file manager hands pictures to the desktop application): the
// files to open in windows, handled before the job grammar sees the line; none for any
// other command line.
std::optional<std::vector<std::string>> FilesToOpen(const std::vector<std::string>& arguments);
