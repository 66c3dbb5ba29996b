#pragma once

#include <CLI/CLI.hpp>

#include "batch/DeepOptions.h"
#include "batch/PanoramaOptions.h"
#include "batch/VerbRun.h"

// "mosa-batch flats SHOTS.json": flat camera views painted into panoramas, as the desktop's
// "Add Flat" does, from a shot list (see ShotList.h). The panorama options given on the
// command line take the place of the list's.
struct FlatsVerb {
    std::string shots;
    std::string out;
    PanoramaOptions panorama;
    DeepOptions deep;
    FrameOptions frames;

    void AddTo(CLI::App& app);
    int Run(const RunOptions& options) const;
};
