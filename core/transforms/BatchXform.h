#pragma once

#include <string>

#include "document/BatchPlan.h"
#include "transforms/XformSettings.h"

// The "&Batch Xform" commands once their dialogs were answered. frameFile is any file of the
// numbered sequence (or its name); outputName the chosen output, which gets each frame's
// number in the sequence's digit count before its extension. Each counts, checks, scans and
// asks for confirmation first; a frame that does not load is skipped with a message naming
// it; a cancel lets the frame under way finish and be saved.

// Transforms every frame into its own output, each shown in an image document that is closed
// again; with useSourceSize every output takes its own frame's size.
BatchResult RunBatchXform(XformRoutine routine, XformSettings& settings,
                          const std::string& frameFile, const std::string& outputName,
                          JobPorts& ports);
