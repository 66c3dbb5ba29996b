#pragma once

#include <string>

#include "util/PathParts.h"

// Names of the numbered files a job writes, and the texts that go with sequences.

// directory (ending in "/") + base name + the frame in at least five digits + extension
// (with its dot): out/dome00007.tga.
std::string FiveViewOutputName(const std::string& directory, const std::string& baseName, int frame,
                               const std::string& extension);

// The output name's parts around the frame number zero-padded to digitCount digits:
// out/pan0007.bmp for out/pan.bmp, 4 digits, frame 7.
std::string NumberedOutputName(const PathParts& output, int digitCount, int frame);
// The same with digitCount "#" in place of the number, for showing: out/pan####.bmp.
std::string NumberedDisplayName(const PathParts& output, int digitCount);

// "No files in sequence '...' ?!"
std::string NoFilesInSequenceMessage(const std::string& sequenceName);
// The question before a batch run: how many files, from which frame to which, written where.
std::string SequenceRunMessage(int count, const std::string& sequenceName, int first, int last,
                               const std::string& displayName);
