#pragma once

#include <string>

#include "sequence/ImageSequence.h"

// Finding the members of a numbered sequence on disk. A sequence name (anim/front.tga) finds
// the files of the pattern stem, any characters, ".", extension (anim/front*.tga), whatever
// their case; a member's frame is the number right before its last ".".

// Fills an empty sequence with the members that carry a frame number, in frame order; sets
// its directory to that of the sequence name. Answers the number of entries (0: none found).
int ScanSequence(ImageSequence& sequence, const std::string& sequenceName);

// Makes a one-entry sequence (frame 0) of the existing file path; its directory is the
// path's own or, when the path has none, the current directory. Answers 0 when there is no
// such file.
int AddSingleFile(ImageSequence& sequence, const std::string& path);

// Counts every member, numbered or not, without listing them; first and last are the lowest
// and highest frame numbers (-1 when none is found), digitCount the digit count of the last
// member examined (in name order).
int CountSequenceFiles(const std::string& sequenceName, int& first, int& last, int& digitCount);
