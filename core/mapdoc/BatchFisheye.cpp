#include "mapdoc/BatchFisheye.h"

#include "document/PictureLoad.h"
#include "mapdoc/MosaDoc.h"

BatchResult RunBatchFisheye(CMosaDoc* map, const std::string& frameFile,
                            const std::string& outputName, const FisheyeParams& params,
                            JobPorts& ports) {
    BatchResult result;
    BatchPlan plan;
    if (!map || !PrepareBatch(frameFile, outputName, plan, ports.messages)) return result;
    result.started = true;
    const std::unique_ptr<Progress> progress = OpenBatchProgress("Batch Fisheye Map", plan, ports);
    while (!plan.sequence.entries.empty()) {
        progress->PumpMessages(1);
        const BatchFrame frame = TakeFrame(plan);
        // A fresh picture per frame: one that fails to load must not leave the last frame's
        // pixels behind to be mapped again.
        CImage fisheye;
        if (!LoadPicture(fisheye, frame.inputPath, ports.messages)) {
            ++result.framesSkipped;
        } else {
            map->MapFisheye(fisheye, params);
            if (!SaveFrame(*map, frame.outputName, *progress, ports.messages, result)) break;
        }
        if (FrameDone(*progress)) {
            result.cancelled = true;
            break;
        }
    }
    ports.documents.CloseDocument(map);
    return result;
}
