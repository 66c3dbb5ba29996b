#include "transforms/XformDriver.h"

#include <algorithm>
#include <climits>

#include "document/ImageDoc.h"
#include "document/OutputName.h"
#include "document/PictureLoad.h"
#include "image/FileTypeTable.h"
#include "util/PathParts.h"
#include "util/VectorState.h"

namespace {

int PixelCount(unsigned size) {
    return static_cast<int>(std::min<unsigned>(size, INT_MAX));
}

// The type to write a name as: its three-letter type name first, as a picture save takes it,
// then the forms a document save knows ("jpeg", "pict").
int WriteTypeOf(const std::string& name) {
    const int type = FileTypeOfName(name);
    return type != kTypeFromExtension ? type : SaveTypeOfName(name);
}

}  // namespace

CImageDoc* OpenXformInput(const std::string& path, JobPorts& ports) {
    CImageDoc* input = &NewImageDocument(ports.documents);
    const PathParts parts = SplitPath(path);
    input->SetPathName(path);
    input->SetTitle(parts.name + parts.extension);
    if (!LoadPicture(input->Image(), path, ports.messages)) {
        ports.documents.CloseDocument(input);
        return nullptr;
    }
    input->UpdateAllViews();
    return input;
}

void ApplySourceSize(XformSettings& settings, const CImage& source) {
    if (!settings.useSourceSize || !source.HasImage()) return;
    settings.outputWidth = static_cast<unsigned>(source.Width());
    settings.outputHeight = static_cast<unsigned>(source.Height());
}

XformOutput TransformInto(XformRoutine routine, const XformSettings& settings, const CImage& source,
                          const std::string& outputName, JobPorts& ports, Progress* progress) {
    XformOutput output;
    if (!source.HasImage()) return output;
    CImageDoc* document = &NewImageDocument(ports.documents);
    document->SetTitle(outputName);
    document->SetPathName(outputName);
    CImage& picture = document->Image();
    if (!picture.Create(PixelCount(settings.outputWidth), PixelCount(settings.outputHeight), 24)) {
        ports.messages.Show("Cannot make an output picture of " +
                                std::to_string(settings.outputWidth) + " x " +
                                std::to_string(settings.outputHeight) + " pixels",
                            MessageButtons::kOk);
        ports.documents.CloseDocument(document);
        return output;
    }
    output.document = document;
    ClearUpperVectorState();  // dialogs and windows may have run the desktop's code
    routine(source, picture, settings);
    document->UpdateAllViews();
    if (progress) progress->PumpMessages(1);
    output.saved = SaveTransformed(picture, outputName, ports.messages);
    return output;
}

bool SaveTransformed(CImage& picture, const std::string& name, Messages& messages) {
    const int type = WriteTypeOf(name);
    if (type == kTypeFromExtension) {
        CheckOutputName(name, messages);
        return false;
    }
    const int saved = picture.SaveAs(name, type);
    ReportPictureProblems(picture, messages);
    if (saved) return true;
    messages.Show("Could not write " + name, MessageButtons::kOk);
    return false;
}

XformOutput RunXform(XformRoutine routine, XformSettings& settings, CImageDoc& input,
                     const std::string& outputName, JobPorts& ports) {
    ApplySourceSize(settings, input.Image());
    return TransformInto(routine, settings, input.Image(), outputName, ports);
}

XformOutput RunXform(XformRoutine routine, XformSettings& settings, const std::string& inputPath,
                     const std::string& outputName, JobPorts& ports) {
    CImageDoc* input = OpenXformInput(inputPath, ports);
    if (!input) return {};
    return RunXform(routine, settings, *input, outputName, ports);
}
