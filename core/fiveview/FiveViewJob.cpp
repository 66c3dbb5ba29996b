#include "fiveview/FiveViewJob.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "document/FrameWriter.h"
#include "document/PictureLoad.h"
#include "fiveview/FacePreparation.h"
#include "fiveview/FiveViewRenderers.h"
#include "image/FileTypeTable.h"
#include "ports/HeldMessages.h"
#include "sequence/NumberedOutput.h"
#include "sequence/SequenceScan.h"
#include "util/FormatText.h"

namespace {

constexpr const char* kViewNames[kFaceCount] = {"Top", "Left", "Back", "Right", "Front"};

const char* ModeName(int samplingMode) {
    switch (samplingMode) {
        case kSubsample5:
            return "(anti-aliasing)";
        case kEwa:
            return "(EWA)";
        default:
            return "";
    }
}

// The face pictures of the job and the sizes its lookup tables were built for.
struct FaceState {
    FacePictures faces;
    std::array<std::pair<int, int>, kFaceCount> tableSizes{};
    bool tablesBuilt = false;
    FiveViewTables tables;
};

// Loads one view's file into its face picture, cropping and expanding as asked, and reports
// what the reader found wrong. Answers an empty text on success, else what went wrong.
std::string LoadFace(const std::string& path, int face, const FiveViewSettings& settings,
                     CImage& picture, Messages& messages) {
    const int k = settings.crop / 2;
    const bool crop = settings.crop > 0;
    const bool expand = settings.halfPans && face != kTop;
    if (!crop && !expand) {
        picture.Load(path, kTypeFromExtension);
        ReportPictureProblems(picture, messages);
        return picture.HasImage() ? "" : "cannot read " + path;
    }
    CImage loaded(path, kTypeFromExtension);
    ReportPictureProblems(loaded, messages);
    if (!loaded.HasImage()) return "cannot read " + path;
    CImage cropped;
    const CImage* source = &loaded;
    if (crop) {
        CImage& target = expand ? cropped : picture;
        if (!CropFace(loaded, target, k)) {
            return Format("a crop of %d leaves nothing of %s (%d x %d)", settings.crop,
                          path.c_str(), loaded.Width(), loaded.Height());
        }
        source = &target;
    }
    if (expand && !ExpandHalfPan(*source, picture)) return "cannot make the half pan of " + path;
    return "";
}

std::string FileNameWithoutExtension(const std::string& fileName) {
    return fileName.substr(0, fileName.rfind('.'));
}

// Takes the frame's entry of every view that has one; the others keep their last picture.
// Answers the title ("top0007 : -x- : ...") and collects load problems.
std::string LoadFrame(int frame, FiveViewSequences& sequences, const FiveViewSettings& settings,
                      FacePictures& faces, std::string& problems, Messages& messages) {
    std::string title;
    for (int t = 0; t < kFaceCount; ++t) {
        if (t > 0) title += " : ";
        ImageSequence& sequence = sequences[t];
        if (sequence.entries.empty() || sequence.entries.front().frame != frame) {
            title += "-x-";
            continue;
        }
        const SequenceEntry entry = *RemoveFront(sequence);
        const std::string problem =
            LoadFace(sequence.directory + entry.fileName, t, settings, faces[t], messages);
        if (!problem.empty()) problems += std::string(problems.empty() ? "" : "; ") + problem;
        title += FileNameWithoutExtension(entry.fileName);
    }
    return title;
}

std::string MissingFaces(const FacePictures& faces) {
    std::string missing;
    for (int t = 0; t < kFaceCount; ++t) {
        if (faces[t].HasImage()) continue;
        missing += std::string(missing.empty() ? "no picture yet for the " : ", ") + kViewNames[t];
    }
    return missing.empty() ? "" : missing + " view";
}

bool SizesMatch(const FacePictures& faces,
                const std::array<std::pair<int, int>, kFaceCount>& sizes) {
    for (int t = 0; t < kFaceCount; ++t) {
        if (faces[t].Width() != sizes[t].first || faces[t].Height() != sizes[t].second)
            return false;
    }
    return true;
}

bool FacesFitTables(const FacePictures& faces) {
    for (const CImage& face : faces) {
        if (face.Width() > kMaxTableFaceSize || face.Height() > kMaxTableFaceSize) return false;
    }
    return true;
}

void BuildTables(CImage& output, const FiveViewSettings& settings, FaceState& state,
                 Progress& progress) {
    for (int t = 0; t < kFaceCount; ++t) {
        state.tableSizes[t] = {state.faces[t].Width(), state.faces[t].Height()};
    }
    if (settings.samplingMode == kSubsample5) {
        BuildSubsample5Table(output, settings, state.faces, state.tables, progress);
    } else {
        BuildPlainTable(output, settings, state.faces, state.tables, progress);
    }
    state.tablesBuilt = !progress.cancelled;
}

void RenderFrame(CImage& output, const FiveViewSettings& settings, FaceState& state,
                 const EwaWeights& weights, Progress& progress) {
    const bool subsample = settings.samplingMode == kSubsample5;
    if (settings.samplingMode == kEwa) {
        if (output.AlphaBits()) {
            RenderEwaRGBA(output, settings, state.faces, weights, progress);
        } else {
            RenderEwaRGB(output, settings, state.faces, weights, progress);
        }
    } else if (state.tablesBuilt && SizesMatch(state.faces, state.tableSizes)) {
        if (subsample) {
            RenderSubsample5Table(output, settings, state.faces, state.tables, progress);
        } else {
            RenderPlainTable(output, settings, state.faces, state.tables, progress);
        }
    } else if (subsample) {
        RenderSubsample5(output, settings, state.faces, progress);
    } else {
        RenderPlain(output, settings, state.faces, progress);
    }
}

// Drops the front entries of every sequence whose frame lies below first.
void SkipFramesBelow(int first, FiveViewSequences& sequences) {
    for (ImageSequence& sequence : sequences) {
        while (!sequence.entries.empty() && sequence.entries.front().frame < first) {
            RemoveFront(sequence);
        }
    }
}

// Only EWA filters the Top view's alpha into the output; the other renderers write colour
// only, so their dome is made opaque rather than left fully transparent.
void AddOutputAlpha(CImage& picture, int samplingMode) {
    if (!picture.AllocAlpha() || samplingMode == kEwa) return;
    const size_t planeBytes =
        static_cast<size_t>(picture.GetImpl()->AlphaRowBytes()) * picture.Height();
    std::memset(picture.AlphaBits(), 255, planeBytes);
}

}  // namespace

std::string FiveViewExtension(int outputFormat) {
    const char* extension = JobOutputExtension(outputFormat);
    return std::string(".") + (extension ? extension : JobOutputExtension(kOutputTga));
}

int OutputFormatOfExtension(const std::string& extension) {
    if (extension.empty() || extension[0] != '.') return -1;
    return JobOutputOfExtension(extension.substr(1));
}

FiveViewResult RenderFiveView(CImageDoc& output, const FiveViewSettings& settings,
                              FiveViewSequences& sequences, const std::string& extension,
                              JobPorts& ports) {
    return RenderFiveView(
        output, settings, sequences,
        [&](int frame) {
            return FiveViewOutputName(settings.directory, settings.baseName, frame, extension);
        },
        ports);
}

FiveViewResult RenderFiveView(CImageDoc& output, const FiveViewSettings& settings,
                              FiveViewSequences& sequences, const FrameNamer& outputName,
                              JobPorts& ports) {
    FiveViewResult result;
    result.events = ports.frameEvents;
    const int k = settings.crop / 2;
    if (settings.crop % 2 != 0) {
        const std::string question = Format(
            "Crop amount is not even - \n\t\t\ta border of %d will be removed from all "
            "edges\n\nContinue?",
            k);
        if (ports.messages.Show(question, MessageButtons::kYesNo) != MessageAnswer::kYes) {
            result.declined = true;
            return result;
        }
    }
    CImage& picture = output.Image();
    const int h = picture.Height();
    const auto state = std::make_unique<FaceState>();
    const int frames = CountEntries(sequences) / kFaceCount;
    if (CountEntries(sequences) == 0) return result;

    EwaWeights weights{};
    if (settings.samplingMode == kEwa) BuildEwaWeights(weights, 4.0);
    const std::unique_ptr<Progress> progress = ports.newProgress();
    progress->Open("Mapping . . .", 0);
    // Tables pay for themselves from the second frame on; one frame renders directly, to the
    // same pixels.
    const bool useTables = settings.sameSize && settings.samplingMode != kEwa && frames > 1;
    progress->SetRange(0, frames * h + (useTables ? h : 0), 1);
    progress->SetTextLines(1, 390);
    progress->SetText("Mapping %d dome%s %s . . .", frames, frames > 1 ? "s" : "",
                      ModeName(settings.samplingMode));

    // A finished frame is written while the next one loads and renders; what the next one's
    // readers say waits until the written frame's news is told, so the user hears it in
    // frame order.
    FrameWriter writer;
    HeldMessages held;
    bool firstFrame = true;
    while (AnyEntries(sequences)) {
        const int f = LowestFrontFrame(sequences);
        if (settings.frameRange && f < settings.firstFrame) {
            SkipFramesBelow(settings.firstFrame, sequences);
            continue;
        }
        if (settings.frameRange && f > settings.lastFrame) break;

        const std::string name = outputName(f);
        std::string problems;
        output.SetTitle(LoadFrame(f, sequences, settings, state->faces, problems, held));
        progress->Step();
        if (problems.empty()) problems = MissingFaces(state->faces);
        if (!problems.empty()) {
            if (!writer.Finish(output, ports.messages, result)) break;
            held.PassOn(ports.messages);
            ports.messages.Show(Format("Frame %d skipped: %s", f, problems.c_str()),
                                MessageButtons::kOk);
            result.Skipped(name);
            continue;
        }
        if (state->faces[kTop].AlphaBits() && !picture.AlphaBits()) {
            AddOutputAlpha(picture, settings.samplingMode);
        }
        if (firstFrame && useTables && FacesFitTables(state->faces)) {
            BuildTables(picture, settings, *state, *progress);
        }
        firstFrame = false;
        if (!progress->cancelled) RenderFrame(picture, settings, *state, weights, *progress);
        if (!writer.Finish(output, ports.messages, result)) break;
        held.PassOn(ports.messages);
        if (progress->cancelled) {
            result.cancelled = true;
            break;
        }
        output.UpdateAllViews();
        // The last frame has nothing to overlap with: it is written in place, as it is.
        if (AnyEntries(sequences)) {
            writer.Start(picture, name, output, ports.messages, result);
        } else if (!SaveFrame(output, name, *progress, ports.messages, result)) {
            break;
        }
    }
    writer.Finish(output, ports.messages, result);
    if (!result.cancelled) held.PassOn(ports.messages);
    return result;
}

bool ResolveFiveViews(const FiveViewSettings& settings, FiveViewSequences& sequences,
                      Messages& messages) {
    const std::string* names[kFaceCount] = {&settings.topFile, &settings.leftFile,
                                            &settings.backFile, &settings.rightFile,
                                            &settings.frontFile};
    std::string missing;
    for (int t = 0; t < kFaceCount; ++t) {
        const int found = settings.inputKind == 1 ? ScanSequence(sequences[t], *names[t])
                                                  : AddSingleFile(sequences[t], *names[t]);
        if (!found) missing += std::string(kViewNames[t]) + ": " + *names[t] + " doesn't exist!\n";
    }
    if (missing.empty()) return true;
    messages.Show(missing, MessageButtons::kOk);
    return false;
}

CImageDoc* NewDomeDocument(const FiveViewSettings& settings, JobPorts& ports) {
    CImageDoc* document = &NewImageDocument(ports.documents);
    if (!document->Image().Create(settings.width, settings.height, 24, -1)) {
        ports.messages.Show(
            Format("Cannot make a dome picture of %d x %d pixels", settings.width, settings.height),
            MessageButtons::kOk);
        ports.documents.CloseDocument(document);
        return nullptr;
    }
    document->SetPathName(settings.baseName);
    document->UpdateAllViews();
    return document;
}

FiveViewResult RunFiveViewCommand(const FiveViewSettings& settings, AppSettings& appSettings,
                                  JobPorts& ports) {
    appSettings.fiveViewDir = settings.directory;
    appSettings.fiveViewBase = settings.baseName;
    appSettings.fiveViewSweep = settings.polarSweep;

    FiveViewSequences sequences;
    if (!ResolveFiveViews(settings, sequences, ports.messages)) return {};
    CImageDoc* document = NewDomeDocument(settings, ports);
    if (!document) return {};

    const auto start = std::chrono::steady_clock::now();
    const FiveViewResult result = RenderFiveView(*document, settings, sequences,
                                                 FiveViewExtension(settings.outputFormat), ports);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    ports.messages.Show(
        Format("Rendering took %d seconds", static_cast<int>(elapsed.count() / 1000)),
        MessageButtons::kOk);
    ports.documents.CloseDocument(document);
    return result;
}
