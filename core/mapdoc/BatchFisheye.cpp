#include "mapdoc/BatchFisheye.h"

#include "document/FrameWriter.h"
#include "document/PictureLoad.h"
#include "mapdoc/MosaDoc.h"
#include "ports/HeldMessages.h"

BatchResult RunBatchFisheye(CMosaDoc* map, const std::string& frameFile,
                            const std::string& outputName, const FisheyeParams& params,
                            JobPorts& ports) {
    BatchResult result;
    BatchPlan plan;
    if (!map || !PrepareBatch(frameFile, outputName, plan, ports.messages)) return result;
    result.started = true;
    const std::unique_ptr<Progress> progress = OpenBatchProgress("Batch Fisheye Map", plan, ports);
    // Each frame is written while the next one loads and maps; the next one's news waits
    // until the written frame's is told.
    FrameWriter writer;
    HeldMessages held;
    while (!plan.sequence.entries.empty()) {
        progress->PumpMessages(1);
        const BatchFrame frame = TakeFrame(plan);
        // A fresh picture per frame: one that fails to load must not leave the last frame's
        // pixels behind to be mapped again.
        CImage fisheye;
        const bool loaded = LoadPicture(fisheye, frame.inputPath, held);
        if (loaded) map->MapFisheye(fisheye, params);
        if (!writer.Finish(*map, ports.messages, result)) break;
        held.PassOn(ports.messages);
        if (loaded && !plan.sequence.entries.empty()) {
            writer.Start(map->Image(), frame.outputName, *map, ports.messages, result);
        } else if (loaded) {
            // The last frame has nothing to overlap with: it is written in place.
            if (!SaveFrame(*map, frame.outputName, *progress, ports.messages, result)) break;
        } else {
            ++result.framesSkipped;
        }
        if (FrameDone(*progress)) {
            result.cancelled = true;
            break;
        }
    }
    writer.Finish(*map, ports.messages, result);
    ports.documents.CloseDocument(map);
    return result;
}
