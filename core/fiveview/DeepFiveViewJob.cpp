#include "fiveview/DeepFiveViewJob.h"

#include <array>
#include <utility>

#include "fiveview/DeepFramePipeline.h"
#include "fiveview/FiveViewRenderers.h"
#include "util/CancelRequest.h"
#include "util/FormatText.h"

namespace {

bool AnyAlpha(const DeepFaces& faces) {
    for (const DeepPicture& face : faces) {
        if (face.HasAlpha()) return true;
    }
    return false;
}

// Lookup tables pay for themselves over a sequence: built at the first frame (and again
// when a face changes size), then every frame is a table read. EWA reads no tables.
struct DeepTables {
    bool wanted = false;
    bool built = false;
    std::array<std::pair<int, int>, kFaceCount> sizes{};
    FiveViewTables tables;

    static bool Fit(const DeepFaces& faces) {
        for (const DeepPicture& face : faces) {
            if (face.Width() > kMaxTableFaceSize || face.Height() > kMaxTableFaceSize) {
                return false;
            }
        }
        return true;
    }
    bool Match(const DeepFaces& faces) const {
        for (int t = 0; t < kFaceCount; ++t) {
            if (sizes[t] != std::pair{faces[t].Width(), faces[t].Height()}) return false;
        }
        return true;
    }
    // Builds the tables when they are wanted and missing; false when the frame renders
    // without them.
    bool Ready(const DeepPicture& output, const FiveViewSettings& settings,
               const DeepFaces& faces, Progress& progress) {
        if (!wanted || !Fit(faces)) return false;
        if (built && Match(faces)) return true;
        for (int t = 0; t < kFaceCount; ++t) sizes[t] = {faces[t].Width(), faces[t].Height()};
        BuildDeepTable(output, settings, faces, tables, progress);
        built = !progress.cancelled;
        return built;
    }
};

void Render(DeepPicture& output, const FiveViewSettings& settings, const DeepFaces& faces,
            const EwaWeights& weights, DeepTables& tables, Progress& progress) {
    if (settings.samplingMode == kEwa) {
        RenderEwaDeep(output, settings, faces, weights, progress);
    } else if (tables.Ready(output, settings, faces, progress)) {
        RenderDeepTable(output, settings, faces, tables.tables, progress);
    } else if (settings.samplingMode == kSubsample5) {
        RenderSubsample5Deep(output, settings, faces, progress);
    } else {
        RenderPlainDeep(output, settings, faces, progress);
    }
}

}  // namespace

JobResult RenderDeepFiveView(const FiveViewSettings& settings,
                             const std::vector<DeepFrameFiles>& frames,
                             const DeepWriteOptions& options, JobPorts& ports) {
    JobResult result;
    result.events = ports.frameEvents;
    if (frames.empty()) return result;
    EwaWeights weights{};
    if (settings.samplingMode == kEwa) BuildEwaWeights(weights, 4.0);
    const std::unique_ptr<Progress> progress = ports.newProgress();
    progress->Open("Mapping . . .", 0);
    const int rowsPerFrame = settings.height + (settings.samplingMode == kEwa ? 1 : 0);
    DeepTables tables;
    tables.wanted = frames.size() > 1 && settings.samplingMode != kEwa;
    const int tableRows = tables.wanted ? settings.height : 0;
    progress->SetRange(0, static_cast<int>(frames.size()) * rowsPerFrame + tableRows, 1);
    DeepFaces faces;
    DeepPicture output;
    DeepFaceReader reader;
    DeepFrameWriter writer(options);
    reader.Start(frames.front(), settings);
    for (size_t i = 0; i < frames.size(); ++i) {
        const DeepFrameFiles& frame = frames[i];
        progress->PumpMessages(1);
        if (progress->cancelled || CancelRequested()) {
            result.cancelled = true;
            break;
        }
        const std::string problem = reader.Take(faces);
        if (i + 1 < frames.size()) reader.Start(frames[i + 1], settings);
        if (!problem.empty()) {
            // The frame before is told of first.
            if (!writer.Finish(ports.messages, result)) break;
            ports.messages.Show(Format("Frame %d skipped: %s", frame.frame, problem.c_str()),
                                MessageButtons::kOk);
            result.Skipped(frame.output);
            continue;
        }
        if (!output.Create(settings.width, settings.height, AnyAlpha(faces))) {
            if (!writer.Finish(ports.messages, result)) break;
            ports.messages.Show(Format("Cannot make a dome picture of %d x %d pixels",
                                       settings.width, settings.height),
                                MessageButtons::kOk);
            result.Skipped(frame.output);
            continue;
        }
        Render(output, settings, faces, weights, tables, *progress);
        if (!writer.Finish(ports.messages, result)) break;
        if (progress->cancelled) {
            result.cancelled = true;
            break;
        }
        writer.Start(output, frame.output);
    }
    writer.Finish(ports.messages, result);
    return result;
}
