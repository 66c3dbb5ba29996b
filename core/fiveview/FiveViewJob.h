#pragma once

#include <array>
#include <functional>
#include <string>

#include "document/ImageDoc.h"
#include "document/JobResult.h"
#include "fiveview/FaceGeometry.h"
#include "fiveview/FiveViewSettings.h"
#include "ports/Documents.h"
#include "sequence/ImageSequence.h"
#include "settings/AppSettings.h"

using FiveViewSequences = std::array<ImageSequence, kFaceCount>;

// What became of a five-view job.
// Frames are skipped for a view without a picture, unreadable, or cropped to nothing.
struct FiveViewResult : JobResult {
    bool declined = false;  // the user said No to the odd-crop question
    bool Succeeded() const {
        return !cancelled && !declined && framesSkipped == 0 && saveFailures == 0 &&
               framesWritten > 0;
    }
};

// ".jpg", ".bmp", ".tga" for output formats 0, 1, 2.
std::string FiveViewExtension(int outputFormat);
// The output format of an extension (".jpg", ".bmp", ".tga", any case); -1 for others.
int OutputFormatOfExtension(const std::string& extension);

// Renders one polar picture per frame of the five sequences (face order Top, Left, Back,
// Right, Front) into the output document's picture and saves each as directory + base name
// + five-digit frame + extension. The sequences are emptied as the frames are taken.
FiveViewResult RenderFiveView(CImageDoc& output, const FiveViewSettings& settings,
                              FiveViewSequences& sequences, const std::string& extension,
                              JobPorts& ports);
// The same with each frame's output file named by the caller.
using FrameNamer = std::function<std::string(int frame)>;
FiveViewResult RenderFiveView(CImageDoc& output, const FiveViewSettings& settings,
                              FiveViewSequences& sequences, const FrameNamer& outputName,
                              JobPorts& ports);

// Resolves the five views (single files or sequences); on a missing view tells the user and
// answers false, leaving the sequences partly filled.
bool ResolveFiveViews(const FiveViewSettings& settings, FiveViewSequences& sequences,
                      Messages& messages);

// The job's output: a new image document with a black 24-bit picture of the settings' size,
// named after the base name; none (after telling the user) when the picture cannot be made.
CImageDoc* NewDomeDocument(const FiveViewSettings& settings, JobPorts& ports);

// What the "5 View Polar" command does once its dialog was confirmed: remembers directory,
// base name and sweep, finds the views, renders into a new image document, reports the time
// taken and closes the document.
FiveViewResult RunFiveViewCommand(const FiveViewSettings& settings, AppSettings& appSettings,
                                  JobPorts& ports);
