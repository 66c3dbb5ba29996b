#pragma once

#include <deque>
#include <functional>
#include <string>

#include "gui/app/CommandDialogs.h"
#include "gui/mapdoc/NewPatchDialog.h"

// Answers the commands' dialogs from a script: each Edit applies its editor (when set) to
// the record the command prepared and confirms, or declines when no editor is set.
class ScriptedDialogs : public CommandDialogs {
public:
    bool EditPanSettings(PanSettings& settings) override { return Apply(panSettings, settings); }
    bool EditPatch(PatchParameters& parameters) override { return Apply(patch, parameters); }
    bool EditChannelFiles(ChannelFiles& files) override { return Apply(channelFiles, files); }
    bool EditFiveView(FiveViewSettings& settings) override { return Apply(fiveView, settings); }
    bool ChooseImageFile(std::string& path, bool, int& type) override {
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
    std::deque<std::string> files;
    int documentKind = -1;

private:
    template <typename Record>
    static bool Apply(const std::function<void(Record&)>& editor, Record& record) {
        if (!editor) return false;
        editor(record);
        return true;
    }
};
