#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sequence/FramePattern.h"

// The frame options every verb takes.
struct FrameOptions {
    std::string frames;  // empty: the frames the first numbered input has on disk
    std::string chunk;   // empty: all of them
    bool skipExisting = false;
    bool skipMissing = false;
    bool dryRun = false;
};

struct NamedInput {
    std::string option;  // "--left", ...
    FramePattern pattern;
};

// The frames a run renders, after the frame list, the chunk, missing inputs and existing
// outputs are taken into account.
struct FramePlan {
    std::vector<int> frames;
    std::vector<int> missing;   // skipped for a missing input (with --skip-missing)
    std::vector<int> existing;  // skipped for an existing output (with --skip-existing)
};

// Fills the plan; on a problem answers false with its one-line text and whether it is a
// fault of the command line (exit 2) rather than of the files (exit 1).
bool MakeFramePlan(const std::vector<NamedInput>& inputs, const FramePattern& output,
                   const FrameOptions& options, FramePlan& plan, std::string& problem,
                   bool& commandLineFault);
