#pragma once

#include <string>
#include <vector>

#include "ports/Documents.h"
#include "transforms/XformDriver.h"

// The pictures "&Aitoff-Hammer to polar" writes: the chosen name with "North" or "South"
// before its extension.
std::string HemisphereOutputName(const std::string& outputName, int hemisphere);

// After the dialogs: the northern picture (for north or both), then the southern one (for
// south or both), each outputWidth x outputHeight in its own document, saved under its
// hemisphere's name. Leaves `hemisphere` at the last one made. Answers the outputs made,
// northern first; when the northern picture cannot be made, neither is.
std::vector<XformOutput> RunHammerAitoff(XformSettings& settings, const CImage& source,
                                         const std::string& outputName, JobPorts& ports);
