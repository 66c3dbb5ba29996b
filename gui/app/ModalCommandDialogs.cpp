#include "gui/app/ModalCommandDialogs.h"

#include <QInputDialog>

#include "gui/fiveview/FiveViewDialog.h"
#include "gui/mapdoc/ChannelFilesDialog.h"
#include "gui/mapdoc/FisheyeDialog.h"
#include "gui/mapdoc/NewMosaDialog.h"
#include "gui/mapdoc/NewPatchDialog.h"
#include "gui/transforms/AmbivuePolarDialog.h"
#include "gui/transforms/HammerAitoffDialog.h"
#include "gui/transforms/OffMapColorDialog.h"
#include "gui/transforms/RotationDialog.h"
#include "gui/widgets/ImageFileDialog.h"

namespace {

template <typename Dialog, typename Record>
bool Edit(Record& record, QWidget* parent) {
    Dialog dialog(record, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

bool ModalCommandDialogs::EditPanSettings(PanSettings& settings) {
    return Edit<NewMosaDialog>(settings, parent);
}

bool ModalCommandDialogs::EditPatch(PatchParameters& parameters) {
    return Edit<NewPatchDialog>(parameters, parent);
}

bool ModalCommandDialogs::EditChannelFiles(ChannelFiles& files) {
    return Edit<ChannelFilesDialog>(files, parent);
}

bool ModalCommandDialogs::EditFiveView(FiveViewSettings& settings) {
    return Edit<FiveViewDialog>(settings, parent);
}

bool ModalCommandDialogs::EditRotation(XformSettings& settings) {
    return Edit<RotationDialog>(settings, parent);
}

bool ModalCommandDialogs::EditAmbivuePolar(XformSettings& settings) {
    return Edit<AmbivuePolarDialog>(settings, parent);
}

bool ModalCommandDialogs::EditHammerAitoff(XformSettings& settings) {
    return Edit<HammerAitoffDialog>(settings, parent);
}

bool ModalCommandDialogs::EditOffMapColor(OffMapColour& colour) {
    return Edit<OffMapColorDialog>(colour, parent);
}

bool ModalCommandDialogs::EditFisheye(FisheyeParams& params) {
    return Edit<FisheyeDialog>(params, parent);
}

bool ModalCommandDialogs::ChooseImageFile(std::string& path, bool open, int& type) {
    return ImageFileDialog(parent, path, open ? FileDialogMode::kOpen : FileDialogMode::kSave,
                           type) == 1;
}

int ModalCommandDialogs::ChooseDocumentKind() {
    // Every kind is a "Mosa" document; the window it opens in tells them apart.
    const QStringList kinds = {QStringLiteral("Mosa (map)"), QStringLiteral("Mosa (dome view)"),
                               QStringLiteral("Mosa (image)")};
    bool chosen = false;
    const QString kind = QInputDialog::getItem(parent, QStringLiteral("New"),
                                               QStringLiteral("&New"), kinds, 0, false, &chosen);
    return chosen ? static_cast<int>(kinds.indexOf(kind)) : -1;
}
