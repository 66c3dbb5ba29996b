#include "transforms/BatchXform.h"

#include "document/ImageDoc.h"
#include "document/PictureLoad.h"
#include "transforms/XformDriver.h"

namespace {

void TransformFrame(XformRoutine routine, XformSettings& settings, const BatchFrame& frame,
                    JobPorts& ports, Progress& progress, BatchResult& result) {
    CImageDoc* input = &NewImageDocument(ports.documents);
    input->SetTitle(frame.inputPath);
    if (!LoadPicture(input->Image(), frame.inputPath, ports.messages)) {
        ports.documents.CloseDocument(input);
        ++result.framesSkipped;
        return;
    }
    input->UpdateAllViews();
    progress.PumpMessages(1);
    ApplySourceSize(settings, input->Image());
    const XformOutput output =
        TransformInto(routine, settings, input->Image(), frame.outputName, ports, &progress);
    ports.documents.CloseDocument(input);
    if (!output.document) {
        ++result.framesSkipped;
        return;
    }
    if (output.saved) {
        ++result.framesWritten;
    } else {
        ++result.saveFailures;
    }
    ports.documents.CloseDocument(output.document);
}

}  // namespace

BatchResult RunBatchXform(XformRoutine routine, XformSettings& settings,
                          const std::string& frameFile, const std::string& outputName,
                          JobPorts& ports) {
    BatchResult result;
    BatchPlan plan;
    if (!PrepareBatch(frameFile, outputName, plan, ports.messages)) return result;
    result.started = true;
    const std::unique_ptr<Progress> progress = OpenBatchProgress("Batch Map", plan, ports);
    while (!plan.sequence.entries.empty()) {
        progress->PumpMessages(1);
        const BatchFrame frame = TakeFrame(plan);
        progress->SetText("%s", frame.outputName.c_str());
        TransformFrame(routine, settings, frame, ports, *progress, result);
        if (FrameDone(*progress)) {
            result.cancelled = true;
            break;
        }
    }
    return result;
}
