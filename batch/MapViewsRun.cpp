#include "batch/MapViewsRun.h"

#include "mapdoc/MosaDoc.h"

int RunMapViews(const RunOptions& options, const FramePlan& plan, const FramePattern& output,
                const PanSettings& pan, std::span<Patch> patches,
                const std::vector<NamedInput>& inputs) {
    std::vector<ImageSequence> sequences(inputs.size());
    for (size_t view = 0; view < inputs.size(); ++view) {
        for (int frame : plan.frames) {
            sequences[view].entries.push_back({inputs[view].pattern.NameOf(frame), frame});
        }
    }
    return RunJob(options, plan, OneOutputEach(output), [&](JobPorts& ports) -> JobResult {
        CMosaDoc* map = NewMapDocument(pan, ports.messages, ports.documents);
        if (!map) return JobResult{0, static_cast<int>(plan.frames.size()), 0, false};
        MapViewsResult result = map->MapViews(
            patches, sequences, [&](int frame) { return output.NameOf(frame); }, ports);
        ports.documents.CloseDocument(map);
        result.framesSkipped += result.unreadableViews;
        return result;
    });
}
