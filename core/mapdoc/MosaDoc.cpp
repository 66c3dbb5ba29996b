#include "mapdoc/MosaDoc.h"

#include <cstdio>

#include "document/FrameWriter.h"
#include "document/PictureLoad.h"
#include "image/FileTypeTable.h"
#include "mapdoc/FisheyeMapping.h"
#include "ports/HeldMessages.h"
#include "util/FormatText.h"

namespace {

const char* AntiAliasingName(int antiAliasing) {
    switch (antiAliasing) {
        case kMap4x:
            return "4x";
        case kMap7x:
            return "7x";
        default:
            return "No";
    }
}

}  // namespace

bool CMosaDoc::OnNewDocument(const PanSettings& given, Messages& messages) {
    settings = given;
    grid = GridOf(settings);
    const double d = Dot(grid.eye, grid.eye);
    if (d >= 1) {
        messages.Show("Eyepoint outside of sphere - not allowed!\nmoving to sphere",
                      MessageButtons::kOk);
        grid.eye = {grid.eye.x / d, grid.eye.y / d, grid.eye.z / d};
    }
    image.SetFileType("mosa1.jpg", kTypeJpg);
    if (image.Create(grid.width, grid.height, 24, -1)) return true;
    messages.Show(Format("Cannot make a picture of %d x %d pixels", grid.width, grid.height),
                  MessageButtons::kOk);
    return false;
}

CMosaDoc* NewMapDocument(const PanSettings& settings, Messages& messages, Documents& documents) {
    auto document = std::make_unique<CMosaDoc>();
    if (!document->OnNewDocument(settings, messages)) return nullptr;
    CMosaDoc* made = document.get();
    documents.Adopt(std::move(document));
    return made;
}

void CMosaDoc::MapPatch(const Patch& patch, Progress* progress) {
    SetModified(true);
    if (MapPatchInto(image, grid, patch, progress)) UpdateAllViews();
}

void CMosaDoc::MapFisheye(const CImage& fisheye, const FisheyeParams& params) {
    SetModified(true);
    MapFisheyeInto(image, grid, fisheye, params);
    UpdateAllViews();
}

void CMosaDoc::AddFlat(std::unique_ptr<CImage> picture, double roll, double elevation,
                       double azimuth, double horizontalFov, double verticalFov) {
    patches.push_back(std::make_unique<Patch>(std::move(picture), roll, elevation, azimuth,
                                              horizontalFov, verticalFov));
    MapPatch(*patches.back());
}

MapViewsResult CMosaDoc::MapViews(std::span<Patch> viewPatches, std::span<ImageSequence> sequences,
                                  const std::string& extension, bool saveEachFrame,
                                  JobPorts& ports) {
    return MapFrames(
        viewPatches, sequences,
        [&extension](int frame) {
            char name[64];
            std::snprintf(name, sizeof name, "mosa%05d.%s", frame, extension.c_str());
            return std::string(name);
        },
        saveEachFrame, ports);
}

MapViewsResult CMosaDoc::MapViews(std::span<Patch> viewPatches, std::span<ImageSequence> sequences,
                                  const std::function<std::string(int frame)>& outputName,
                                  JobPorts& ports) {
    return MapFrames(viewPatches, sequences, outputName, true, ports);
}

MapViewsResult CMosaDoc::MapFrames(std::span<Patch> viewPatches, std::span<ImageSequence> sequences,
                                   const std::function<std::string(int frame)>& frameName,
                                   bool saveEachFrame, JobPorts& ports) {
    MapViewsResult result;
    result.events = ports.frameEvents;
    const std::unique_ptr<Progress> display = ports.newProgress();
    const int flats = CountEntries(sequences);
    if (flats == 0) return result;
    display->Open("Mapping . . .", 0);
    display->SetRange(0, flats, 1);
    display->SetTextLines(1, 390);
    display->SetText("Mapping %d flats (%s anti-aliasing) . . .", flats,
                     AntiAliasingName(grid.antiAliasing));

    // A saved frame is written while the next one maps; the next one's news waits until the
    // written frame's is told, so the user hears it in frame order.
    FrameWriter writer;
    HeldMessages held;
    Messages& news = saveEachFrame ? static_cast<Messages&>(held) : ports.messages;
    while (AnyEntries(sequences)) {
        const int frame = LowestFrontFrame(sequences);
        const std::string name = frameName(frame);
        for (size_t view = 0; view < viewPatches.size() && view < sequences.size(); ++view) {
            ImageSequence& sequence = sequences[view];
            if (!sequence.entries.empty() && sequence.entries.front().frame == frame) {
                const SequenceEntry entry = *RemoveFront(sequence);
                SetTitle(std::string(name) + " : " + entry.fileName);
                Patch& patch = viewPatches[view];
                const std::string path = sequence.directory + entry.fileName;
                patch.image = std::make_unique<CImage>(path, kTypeFromExtension);
                ReportPictureProblems(*patch.image, news);
                if (patch.image->HasImage()) {
                    MapPatch(patch, display.get());
                } else {
                    // The view keeps last frame's part of the panorama.
                    ++result.unreadableViews;
                    news.Show("Cannot read " + path, MessageButtons::kOk);
                }
                UpdateAllViews();
                patch.image.reset();
                display->Step();
                display->PumpMessages(1);
            }
            if (display->cancelled) {
                writer.Finish(*this, ports.messages, result);
                held.PassOn(ports.messages);
                for (ImageSequence& s : sequences) s.entries.clear();
                result.cancelled = true;
                return result;
            }
        }
        if (!saveEachFrame) continue;
        if (!writer.Finish(*this, ports.messages, result)) return result;
        held.PassOn(ports.messages);
        // The last frame has nothing to overlap with: it is written in place, as it is.
        if (AnyEntries(sequences)) {
            writer.Start(image, name, *this, ports.messages, result);
        } else if (!SaveFrame(*this, name, *display, ports.messages, result)) {
            return result;
        }
    }
    writer.Finish(*this, ports.messages, result);
    return result;
}
