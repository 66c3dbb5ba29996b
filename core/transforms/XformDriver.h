#pragma once

#include <string>

#include "document/ImageDoc.h"
#include "ports/Documents.h"
#include "transforms/XformSettings.h"

// The single-picture transform, in the steps a front end runs around its dialogs: open the
// input (then show the parameter dialog and ask for the output name), then RunXform.

// What became of one output picture.
struct XformOutput {
    CImageDoc* document = nullptr;  // none when the picture could not be made
    bool saved = false;
};

// The picture at path in a new image document; none (the document closed again) after
// telling the user when it has no pixels.
CImageDoc* OpenXformInput(const std::string& path, JobPorts& ports);

// With useSourceSize, the output size becomes the source's.
void ApplySourceSize(XformSettings& settings, const CImage& source);

// A new image document named after outputName holding a 24-bit picture of the settings'
// output size (24 bits whatever the source's depth, since routines write true colour), filled
// by the routine and saved in the type of the name's extension. With a progress display it is
// pumped between filling and saving. When the picture cannot be made the user is told and the
// document closed.
XformOutput TransformInto(XformRoutine routine, const XformSettings& settings, const CImage& source,
                          const std::string& outputName, JobPorts& ports,
                          Progress* progress = nullptr);

// Writes a transform's output in the type its name's extension names: the picture types'
// three-letter names, or the longer forms a document save knows. An extension that names no
// writable type writes nothing and the user is told which ones do; a failed write is
// reported too.
bool SaveTransformed(CImage& picture, const std::string& name, Messages& messages);

// After the dialogs: applies useSourceSize, then makes, fills and saves the output. Both
// documents stay open.
XformOutput RunXform(XformRoutine routine, XformSettings& settings, CImageDoc& input,
                     const std::string& outputName, JobPorts& ports);

// Opens the input and runs the transform, for callers that asked for everything first.
XformOutput RunXform(XformRoutine routine, XformSettings& settings, const std::string& inputPath,
                     const std::string& outputName, JobPorts& ports);
