#pragma once

#include <string>

#include "fiveview/FiveViewSettings.h"
#include "mapdoc/FisheyeParams.h"
#include "mapdoc/FourViewPan.h"
#include "mapdoc/PanSettings.h"
#include "transforms/XformSettings.h"

struct PatchParameters;

// The dialogs the menu commands ask their questions with. The application shows the real
// modal dialogs; tests script the answers.
class CommandDialogs {
  public:
    virtual ~CommandDialogs() = default;
    virtual bool EditPanSettings(PanSettings& settings) = 0;
    virtual bool EditPatch(PatchParameters& parameters) = 0;
    virtual bool EditChannelFiles(ChannelFiles& files) = 0;
    virtual bool EditFiveView(FiveViewSettings& settings) = 0;
    virtual bool EditRotation(XformSettings& settings) = 0;
    virtual bool EditAmbivuePolar(XformSettings& settings) = 0;
    virtual bool EditHammerAitoff(XformSettings& settings) = 0;
    virtual bool EditOffMapColor(OffMapColour& colour) = 0;
    virtual bool EditFisheye(FisheyeParams& params) = 0;
    // An image file to open (existing) or to write, starting from path; type gets the file
    // type of its extension.
    virtual bool ChooseImageFile(std::string& path, bool open, int& type) = 0;
    // The kind of a new document: 0 map, 1 dome, 2 image; -1 when the user declined.
    virtual int ChooseDocumentKind() = 0;
};
