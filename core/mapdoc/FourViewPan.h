#pragma once

#include <array>
#include <functional>
#include <string>

#include "mapdoc/MosaDoc.h"
#include "mapdoc/Patch.h"
#include "ports/Documents.h"
#include "sequence/ImageSequence.h"

// The "Channel Source Files" record: the four cube views and where the panoramas go.
struct ChannelFiles {
    std::string center;
    std::string left;
    std::string right;
    std::string top;
    std::string outputBaseName;
    int outputType = -1;  // 0 JPEG, 1 BMP, 2 TGA
};

inline constexpr int kCubeViewCount = 4;
using CubeViewPatches = std::array<Patch, kCubeViewCount>;
using CubeViewSequences = std::array<ImageSequence, kCubeViewCount>;

// The Left, Center, Right and Up views of a cube around the eyepoint, without pictures.
CubeViewPatches MakeCubeViewPatches();

// Fills the four sequences (Left, Center, Right, Up) by scanning or as single files; when
// any finds nothing, tells the user which and answers false.
bool ResolveCubeViews(const ChannelFiles& files, bool scan, CubeViewSequences& sequences,
                      Messages& messages);

// "jpg", "bmp" or "tga".
std::string FourViewExtension(int outputType);

// Fills in the parameters of a new map document (a desktop asks the user); false when the
// user declined.
using ChooseMapParameters = std::function<bool(PanSettings&)>;

// What "4 view Pan" does once its dialog was confirmed: finds the views' sequences, makes a
// map document (choosing its parameters, starting from a new document's), maps and saves
// every frame (into the current directory), closes the document and says how many frames it
// wrote where, asking "OK?".
// "N frames written to DIRECTORY\nOK?", the current directory's name in full.
std::string FramesWrittenPrompt(int frames);
MapViewsResult RunFourViewPan(const ChannelFiles& files, const ChooseMapParameters& choose,
                              JobPorts& ports);
