#pragma once

#include <CLI/CLI.hpp>

#include "batch/FramePlan.h"

// "mosa-batch fourview": rectangular panoramas from four cube views.
struct FourViewVerb {
    std::string left, center, right, up, out;
    std::string size = "1800x486";
    std::string azimuths = "-100,100";
    std::string altitudes = "0,60";
    std::string eye = "0,0,0";
    std::string antiAliasing = "none";
    FrameOptions frames;

    void AddTo(CLI::App& app);
    int Run(bool quiet) const;
};
