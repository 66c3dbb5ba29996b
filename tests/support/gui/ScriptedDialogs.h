#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "gui/app/CommandDialogs.h"
#include "gui/mapdoc/NewPatchDialog.h"

// A "Channel Source Files" answer: the cube views left, front (as the centre), right and
// top, each named by `path`, and BMP frames.
inline std::function<void(ChannelFiles&)> CubeViewAnswer(
    std::function<std::string(const char*)> path) {
    return [path = std::move(path)](ChannelFiles& f) {
        f.left = path("left");
        f.center = path("front");
        f.right = path("right");
        f.top = path("top");
        f.outputType = 1;
    };
}

// Answers the commands' dialogs from a script: each Edit applies its editor (when set) to
// the record the command prepared and confirms, or declines when no editor is set.
class ScriptedDialogs : public CommandDialogs {
  public:
    bool EditPanSettings(PanSettings& settings) override { return Apply(panSettings, settings); }
    bool EditPatch(PatchParameters& parameters) override { return Apply(patch, parameters); }
    bool EditChannelFiles(ChannelFiles& files) override { return Apply(channelFiles, files); }
    bool EditFiveView(FiveViewSettings& settings) override { return Apply(fiveView, settings); }
    bool EditRotation(XformSettings& settings) override { return Apply(rotation, settings); }
    bool EditAmbivuePolar(XformSettings& settings) override { return Apply(ambivue, settings); }
    bool EditHammerAitoff(XformSettings& settings) override {
        return Apply(hammerAitoff, settings);
    }
    bool EditOffMapColor(OffMapColour& colour) override { return Apply(offMap, colour); }
    bool EditFisheye(FisheyeParams& params) override { return Apply(fisheye, params); }
    bool ChooseImageFile(std::string& path, bool, int& type) override {
        offeredNames.push_back(path);
        if (files.empty()) return false;
        path = files.front();
        files.pop_front();
        type = -1;
        return true;
    }
    int ChooseDocumentKind() override { return documentKind; }

    std::function<void(PanSettings&)> panSettings;
    std::function<void(PatchParameters&)> patch;
    std::function<void(ChannelFiles&)> channelFiles;
    std::function<void(FiveViewSettings&)> fiveView;
    std::function<void(XformSettings&)> rotation;
    std::function<void(XformSettings&)> ambivue;
    std::function<void(XformSettings&)> hammerAitoff;
    std::function<void(OffMapColour&)> offMap;
    std::function<void(FisheyeParams&)> fisheye;
    std::deque<std::string> files;          // answers of the file dialogs, in the order asked
    std::vector<std::string> offeredNames;  // the names the file dialogs started from
    int documentKind = -1;

  private:
    template <typename Record>
    static bool Apply(const std::function<void(Record&)>& editor, Record& record) {
        if (!editor) return false;
        editor(record);
        return true;
    }
};
