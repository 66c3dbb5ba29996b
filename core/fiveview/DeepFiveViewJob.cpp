#include "fiveview/DeepFiveViewJob.h"

#include <array>
#include <utility>

#include "fiveview/FacePreparation.h"
#include "fiveview/FiveViewRenderers.h"
#include "util/CancelRequest.h"
#include "util/FormatText.h"

namespace {

constexpr const char* kViewNames[kFaceCount] = {"Top", "Left", "Back", "Right", "Front"};

// Crops and expands a face as the settings ask; an empty answer on success.
std::string PrepareFace(int face, const std::string& path, const FiveViewSettings& settings,
                        DeepPicture& picture) {
    if (settings.crop > 0) {
        DeepPicture cropped;
        if (!CropFace(picture, cropped, settings.crop / 2)) {
            return Format("a crop of %d leaves nothing of %s (%d x %d)", settings.crop,
                          path.c_str(), picture.Width(), picture.Height());
        }
        picture = std::move(cropped);
    }
    if (settings.halfPans && face != kTop) {
        DeepPicture expanded;
        if (!ExpandHalfPan(picture, expanded)) return "cannot make the half pan of " + path;
        picture = std::move(expanded);
    }
    return "";
}

// Reads the frame's five faces and prepares them; an empty answer when all came, else what
// went wrong.
std::string LoadFaces(const DeepFrameFiles& frame, const FiveViewSettings& settings,
                      DeepFaces& faces) {
    for (int t = 0; t < kFaceCount; ++t) {
        std::string problem;
        if (!ReadDeepPicture(frame.faces[t], faces[t], problem)) {
            return std::string(kViewNames[t]) + " view " + frame.faces[t] + ": " + problem;
        }
        problem = PrepareFace(t, frame.faces[t], settings, faces[t]);
        if (!problem.empty()) return std::string(kViewNames[t]) + " view: " + problem;
    }
    return "";
}

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
    for (const DeepFrameFiles& frame : frames) {
        progress->PumpMessages(1);
        if (progress->cancelled || CancelRequested()) {
            result.cancelled = true;
            break;
        }
        const std::string problem = LoadFaces(frame, settings, faces);
        if (!problem.empty()) {
            ports.messages.Show(Format("Frame %d skipped: %s", frame.frame, problem.c_str()),
                                MessageButtons::kOk);
            result.Skipped(frame.output);
            continue;
        }
        if (!output.Create(settings.width, settings.height, AnyAlpha(faces))) {
            ports.messages.Show(Format("Cannot make a dome picture of %d x %d pixels",
                                       settings.width, settings.height),
                                MessageButtons::kOk);
            result.Skipped(frame.output);
            continue;
        }
        Render(output, settings, faces, weights, tables, *progress);
        if (progress->cancelled) {
            result.cancelled = true;
            break;
        }
        std::string writeProblem;
        if (WriteDeepPicture(frame.output, output, options, writeProblem)) {
            result.Written(frame.output);
        } else if (CancelRequested()) {
            result.cancelled = true;
            break;
        } else {
            ports.messages.Show("Could not write " + frame.output + ": " + writeProblem,
                                MessageButtons::kOk);
            result.SaveFailed(frame.output);
        }
    }
    return result;
}
