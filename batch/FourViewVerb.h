#pragma once

#include <CLI/CLI.hpp>

#include "batch/DeepOptions.h"
#include "batch/PanoramaOptions.h"
#include "batch/VerbRun.h"

// "mosa-batch fourview": rectangular panoramas from four cube views.
struct FourViewVerb {
    std::string left, center, right, up, out;
    PanoramaOptions panorama;
    DeepOptions deep;
    FrameOptions frames;

    void AddTo(CLI::App& app);
    int Run(const RunOptions& options) const;
};
