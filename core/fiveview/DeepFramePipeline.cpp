#include "fiveview/DeepFramePipeline.h"

#include <utility>

#include "fiveview/FacePreparation.h"
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

}  // namespace

std::string LoadDeepFaces(const DeepFrameFiles& frame, const FiveViewSettings& settings,
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

void DeepFaceReader::Start(const DeepFrameFiles& frame, const FiveViewSettings& settings) {
    if (reading.joinable()) reading.join();
    reading = std::jthread([this, frame, &settings] {
        KeepCancellingSignalsOffThisThread();
        problem = LoadDeepFaces(frame, settings, faces);
    });
}

std::string DeepFaceReader::Take(DeepFaces& taken) {
    if (reading.joinable()) reading.join();
    std::swap(faces, taken);
    return problem;
}

void DeepFrameWriter::Start(DeepPicture& dome, const std::string& frameName) {
    picture = std::move(dome);
    dome = DeepPicture{};
    name = frameName;
    inHand = true;
    writing = std::jthread([this] {
        KeepCancellingSignalsOffThisThread();
        problem.clear();
        written = WriteDeepPicture(name, picture, options, problem);
    });
}

bool DeepFrameWriter::Finish(Messages& messages, JobResult& result) {
    if (!inHand) return true;
    writing.join();
    inHand = false;
    return CountDeepWrite(written, name, problem, messages, result);
}

bool CountDeepWrite(bool written, const std::string& name, const std::string& problem,
                    Messages& messages, JobResult& result) {
    if (written) {
        result.Written(name);
        return true;
    }
    if (CancelRequested()) {
        result.cancelled = true;
        return false;
    }
    messages.Show("Could not write " + name + ": " + problem, MessageButtons::kOk);
    result.SaveFailed(name);
    return true;
}
