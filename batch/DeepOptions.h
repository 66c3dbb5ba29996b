#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "deep/DeepFiles.h"

// The options of the verbs that carry deep pictures (16-bit PNG, TIFF, OpenEXR): the output's
// sample depth and compressions.
struct DeepOptions {
    std::string depth = "auto";
    std::string exrCompression = "zip";
    std::string tiffCompression = "deflate";

    void AddTo(CLI::App& verb);
    // True when the run takes the deep path: a TIFF or OpenEXR input or output, or a depth
    // beyond 8 asked for.
    bool Wanted(const std::vector<std::string>& names) const;
    // The write options for the output's name; none when they are good, else the exit
    // status after the message.
    std::optional<int> WriteOptionsFor(const std::string& out, DeepWriteOptions& write) const;
    // Both for a run: whether it takes the deep path (the inputs' and the output's names) and,
    // when it does, its write options; a bad choice is a bad command line, found before any
    // file is looked at. None when they are good, else the exit status after the message.
    std::optional<int> Choose(const std::vector<std::string>& names, const std::string& out,
                              bool& deepPath, DeepWriteOptions& write) const;
};
