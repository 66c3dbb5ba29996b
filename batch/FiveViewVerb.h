#pragma once

#include <CLI/CLI.hpp>

#include "batch/DeepOptions.h"
#include "batch/VerbRun.h"
#include "fiveview/FiveViewSettings.h"

// "mosa-batch fiveview": the five-view polar job over single files or frame sequences.
struct FiveViewVerb {
    std::string left, front, right, top, back, out;
    std::string size = "2200";
    double sweep = 180;
    std::string layout = "allsky";
    std::string filter = "none";
    int crop = 0;
    bool halfPan = false;
    DeepOptions deep;
    FrameOptions frames;

    void AddTo(CLI::App& app);
    // The exit status.
    int Run(const RunOptions& options) const;

  private:
    int RunDeep(const RunOptions& options, const DeepWriteOptions& write,
                const FiveViewSettings& settings, const std::vector<NamedInput>& inputs,
                const FramePattern& output, const FramePlan& plan) const;
};
