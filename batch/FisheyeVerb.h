#pragma once

#include <CLI/CLI.hpp>

#include "batch/DeepOptions.h"
#include "batch/PanoramaOptions.h"
#include "batch/VerbRun.h"

// "mosa-batch fisheye IN": polar fisheye pictures mapped onto the rectangular panorama.
struct FisheyeVerb {
    std::string input;
    std::string out;
    std::string fov = "146,82.125";
    double tilt = 20;
    PanoramaOptions panorama;
    DeepOptions deep;
    FrameOptions frames;

    void AddTo(CLI::App& app);
    int Run(const RunOptions& options) const;
};
