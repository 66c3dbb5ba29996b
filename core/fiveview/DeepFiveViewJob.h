#pragma once

#include <array>
#include <string>
#include <vector>

#include "deep/DeepFiles.h"
#include "document/JobResult.h"
#include "fiveview/FaceGeometry.h"
#include "fiveview/FiveViewSettings.h"
#include "ports/Documents.h"

// One frame of the five-view job on deep pictures: its faces' files (face order Top, Left,
// Back, Right, Front) and its output file.
struct DeepFrameFiles {
    int frame = 0;
    std::array<std::string, kFaceCount> faces;
    std::string output;
};

// The five-view job on float samples with alpha (16-bit PNG, TIFF and OpenEXR faces and
// outputs, and 8-bit files read as fractions): each frame's faces are read, rendered with the
// settings' size, layout and sampling (plain, 5x or EWA) and written with the options. A
// frame whose face cannot be read is skipped with "Frame N skipped: ..."; the progress steps
// per row and a cancel stops at the next row, leaving the frame unwritten. The settings' crop
// and half pans prepare each face as on the 8-bit path.
JobResult RenderDeepFiveView(const FiveViewSettings& settings,
                             const std::vector<DeepFrameFiles>& frames,
                             const DeepWriteOptions& options, JobPorts& ports);
