#pragma once

#include <string>

#include "document/BatchPlan.h"
#include "mapdoc/FisheyeParams.h"

class CMosaDoc;

// The "Batch Fisheye Map" command once its dialog was answered. frameFile is any file of the
// numbered sequence (or its name); outputName the chosen output, which gets each frame's
// number in the sequence's digit count before its extension. The run counts, checks, scans and
// asks for confirmation first; a frame that does not load is skipped with a message naming it;
// a cancel lets the frame under way finish and be saved.

// Maps every frame as a fisheye into the map document's rectangle and saves the rectangle
// under the frame's output name. The map document is the one the command made (through the
// Documents port, whose dialog asks for its rectangle); without one nothing happens. It is
// closed at the end of the run, and stays open when the run does not start.
BatchResult RunBatchFisheye(CMosaDoc* map, const std::string& frameFile,
                            const std::string& outputName, const FisheyeParams& params,
                            JobPorts& ports);
