#pragma once

#include <CLI/CLI.hpp>

#include "batch/FramePlan.h"

// "mosa-batch fisheye IN": polar fisheye pictures mapped onto the rectangular panorama.
struct FisheyeVerb {
    std::string input;
    std::string out;
    std::string fov = "146,82.125";
    double tilt = 20;
    std::string size = "1800x486";
    std::string azimuths = "-100,100";
    std::string altitudes = "0,60";
    FrameOptions frames;

    void AddTo(CLI::App& app);
    int Run(bool quiet) const;
};
