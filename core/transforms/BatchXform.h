#pragma once

#include <string>

#include "mapdoc/FisheyeParams.h"
#include "transforms/BatchPlan.h"
#include "transforms/XformSettings.h"

class CMosaDoc;

// The "&Batch Xform" commands once their dialogs were answered. frameFile is any file of the
// numbered sequence (or its name); outputName the chosen output, which gets each frame's
// number in the sequence's digit count before its extension. Both count, check, scan and ask
// for confirmation first; a frame that does not load is skipped with a message naming it; a
// cancel lets the frame under way finish and be saved.

// Transforms every frame into its own output, each shown in an image document that is closed
// again; with useSourceSize every output takes its own frame's size.
BatchResult RunBatchXform(XformRoutine routine, XformSettings& settings,
                          const std::string& frameFile, const std::string& outputName,
                          JobPorts& ports);

// Maps every frame as a fisheye into the map document's rectangle and saves the rectangle
// under the frame's output name. The map document is the one the command made (through the
// Documents port, whose dialog asks for its rectangle); without one nothing happens. It is
// closed at the end of the run, and stays open when the run does not start.
BatchResult RunBatchFisheye(CMosaDoc* map, const std::string& frameFile,
                            const std::string& outputName, const FisheyeParams& params,
                            JobPorts& ports);
