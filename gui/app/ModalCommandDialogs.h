#pragma once

#include <QPointer>
#include <QWidget>

#include "gui/app/CommandDialogs.h"

// The commands' questions as the desktop's modal dialogs over the main window.
class ModalCommandDialogs : public CommandDialogs {
  public:
    void SetParent(QWidget* window) { parent = window; }

    bool EditPanSettings(PanSettings& settings) override;
    bool EditPatch(PatchParameters& parameters) override;
    bool EditChannelFiles(ChannelFiles& files) override;
    bool EditFiveView(FiveViewSettings& settings) override;
    bool EditRotation(XformSettings& settings) override;
    bool EditAmbivuePolar(XformSettings& settings) override;
    bool EditHammerAitoff(XformSettings& settings) override;
    bool EditOffMapColor(OffMapColour& colour) override;
    bool EditFisheye(FisheyeParams& params) override;
    bool ChooseImageFile(std::string& path, bool open, int& type) override;
    int ChooseDocumentKind() override;

  private:
    QPointer<QWidget> parent;
};
