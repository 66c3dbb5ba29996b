#pragma once

#include <CLI/CLI.hpp>

#include "batch/DeepOptions.h"
#include "batch/VerbRun.h"
#include "transforms/XformSettings.h"

// "mosa-batch xform KIND IN": the projection transforms over single files or sequences.
struct XformVerb {
    std::string kind;
    std::string input;
    std::string out;
    std::string size;  // empty: the transform's own choice (the source's size, or 512 x 512)
    int rotation = 0;
    std::string azimuths = "-100,100";
    std::string elevations = "0,60";
    int span = 90;
    int turn = 0;
    std::string offMap = "0,0,0";
    std::string hemisphere = "both";
    DeepOptions deep;
    FrameOptions frames;

    void AddTo(CLI::App& app);
    int Run(const RunOptions& options) const;

  private:
    int RunDeep(const RunOptions& options, const DeepWriteOptions& write,
                const XformSettings& settings, const FramePattern& source,
                const FramePattern& output, const FramePlan& plan) const;
};
