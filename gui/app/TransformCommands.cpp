#include "gui/app/TransformCommands.h"

#include "document/OutputName.h"
#include "document/PictureLoad.h"
#include "gui/app/CommandDialogs.h"
#include "image/FileTypeTable.h"
#include "mapdoc/BatchFisheye.h"
#include "mapdoc/MosaDoc.h"
#include "transforms/BatchXform.h"
#include "transforms/HammerAitoffCommand.h"
#include "transforms/XformDriver.h"

CImageDoc* TransformCommands::OpenInput(const std::string& path) {
    CImageDoc* input = OpenXformInput(path, ports);
    if (input && input->Image().HasImage() && pictureOpened) pictureOpened(path);
    return input;
}

bool TransformCommands::EditParameters(XformKind kind, XformSettings& xform) {
    const bool rotation = kind == XformKind::kRectToPolar || kind == XformKind::kPolarToRect;
    return rotation ? dialogs.EditRotation(xform) : dialogs.EditAmbivuePolar(xform);
}

void TransformCommands::OnXform(XformKind kind) {
    std::string inputPath;
    int type = kTypeFromExtension;
    if (!dialogs.ChooseImageFile(inputPath, true, type)) return;
    CImageDoc* input = OpenInput(inputPath);
    if (!input) return;
    XformSettings xform = NewXformSettings(kind, settings);
    ApplySourceSize(xform, input->Image());
    if (!EditParameters(kind, xform)) return;
    std::string outputName = XformCommandOf(kind).defaultOutputName;
    if (!dialogs.ChooseImageFile(outputName, false, type)) return;
    const JobControl::Running job(jobs, {input});
    RunXform(XformCommandOf(kind).routine, xform, *input, outputName, ports);
}

void TransformCommands::OnHammerAitoff() {
    std::string inputPath;
    int type = kTypeFromExtension;
    if (!dialogs.ChooseImageFile(inputPath, true, type)) return;
    CImageDoc* input = OpenInput(inputPath);
    if (!input) return;
    XformSettings xform;
    if (!dialogs.EditHammerAitoff(xform)) return;
    std::string outputName = "HammerAitoff";
    if (!dialogs.ChooseImageFile(outputName, false, type)) return;
    const JobControl::Running job(jobs, {input});
    RunHammerAitoff(xform, input->Image(), outputName, ports);
}

void TransformCommands::OnOffMapColor() {
    OffMapColour colour{settings.offMapRed, settings.offMapGreen, settings.offMapBlue};
    if (!dialogs.EditOffMapColor(colour)) return;
    settings.offMapRed = colour.red;
    settings.offMapGreen = colour.green;
    settings.offMapBlue = colour.blue;
}

bool TransformCommands::ChooseSequenceFile(std::string& frameFile) {
    int type = kTypeFromExtension;
    if (!dialogs.ChooseImageFile(frameFile, true, type)) return false;
    BatchPlan plan;
    return CountBatchSequence(frameFile, plan, ports.messages) > 0;
}

bool TransformCommands::ChooseOutputName(std::string& name) {
    int type = kTypeFromExtension;
    do {
        if (!dialogs.ChooseImageFile(name, false, type)) return false;
    } while (!CheckOutputName(name, ports.messages));
    return true;
}

void TransformCommands::OnBatchXform(XformKind kind) {
    std::string frameFile, outputName;
    if (!ChooseSequenceFile(frameFile) || !ChooseOutputName(outputName)) return;
    XformSettings xform = NewXformSettings(kind, settings);
    if (!EditParameters(kind, xform)) return;
    const JobControl::Running job(jobs);
    RunBatchXform(XformCommandOf(kind).routine, xform, frameFile, outputName, ports);
}

void TransformCommands::OnBatchFisheye() {
    std::string frameFile, outputName;
    if (!ChooseSequenceFile(frameFile)) return;
    PanSettings settings = NewDocumentPanSettings();
    if (!dialogs.EditPanSettings(settings)) return;
    CMosaDoc* map = NewMapDocument(settings, ports.messages, ports.documents);
    if (!map || !ChooseOutputName(outputName)) return;
    FisheyeParams params;
    if (!dialogs.EditFisheye(params)) return;
    const JobControl::Running job(jobs, {map});
    RunBatchFisheye(map, frameFile, outputName, params, ports);
}

void TransformCommands::OnMapFisheye(CMosaDoc& document) {
    std::string path;
    int type = kTypeFromExtension;
    if (!dialogs.ChooseImageFile(path, true, type)) return;
    CImage fisheye;
    if (!LoadPicture(fisheye, path, ports.messages, type)) return;
    FisheyeParams params;
    if (!dialogs.EditFisheye(params)) return;
    const JobControl::Running job(jobs, {&document});
    document.MapFisheye(fisheye, params);
}
