#include "batch/MapViewsRun.h"

#include "deep/DeepFiles.h"
#include "mapdoc/FlatMapping.h"
#include "mapdoc/MosaDoc.h"
#include "ports/Progress.h"

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

namespace {

// Paints one frame's views into the panorama, made at the first view that loads. False when
// a signal cancelled the mapping; unreadable views are counted and told.
bool MapDeepFrame(int frame, const MapGrid& grid, std::span<const Patch> patches,
                  const std::vector<NamedInput>& inputs, DeepPicture& panorama,
                  DeepPicture& view, Messages& messages, int& unreadableViews) {
    for (size_t i = 0; i < inputs.size() && i < patches.size(); ++i) {
        const std::string name = inputs[i].pattern.NameOf(frame);
        std::string problem;
        if (!ReadDeepPicture(name, view, problem)) {
            messages.Show("Cannot read " + name + ": " + problem, MessageButtons::kOk);
            ++unreadableViews;
            continue;
        }
        if (!panorama.HasPicture() && !panorama.Create(grid.width, grid.height, view.HasAlpha())) {
            return true;
        }
        SignalOnlyProgress rows;
        if (!MapPictureIntoDeep(panorama, grid, patches[i], view, &rows)) return false;
    }
    return true;
}

}  // namespace

int RunDeepMapViews(const RunOptions& options, const FramePlan& plan, const FramePattern& output,
                    const PanSettings& pan, std::span<const Patch> patches,
                    const std::vector<NamedInput>& inputs, const DeepWriteOptions& write) {
    const MapGrid grid = GridOf(pan);
    return RunJob(options, plan, OneOutputEach(output), [&](JobPorts& ports) {
        JobResult result;
        result.events = ports.frameEvents;
        DeepPicture panorama, view;
        int unreadableViews = 0;
        for (int frame : plan.frames) {
            const std::string name = output.NameOf(frame);
            if (CancelRequested() || !MapDeepFrame(frame, grid, patches, inputs, panorama, view,
                                                   ports.messages, unreadableViews)) {
                result.cancelled = true;
                break;
            }
            // A frame none of whose views has loaded yet is black, as a new panorama is.
            if (!panorama.HasPicture() && !panorama.Create(grid.width, grid.height, false)) {
                ports.messages.Show("Cannot make the panorama", MessageButtons::kOk);
                result.Skipped(name);
                continue;
            }
            if (!SaveDeepFrame(panorama, name, write, ports.messages, result)) break;
        }
        result.framesSkipped += unreadableViews;
        return result;
    });
}
