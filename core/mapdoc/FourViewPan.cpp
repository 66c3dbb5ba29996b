#include "mapdoc/FourViewPan.h"

#include <filesystem>
#include <system_error>

#include "image/FileTypeTable.h"
#include "sequence/SequenceScan.h"

namespace {

struct CubeView {
    double azimuth;
    double elevation;
    double coverage[4];  // azimuth min, max; elevation min, max
};

constexpr CubeView kCubeViews[kCubeViewCount] = {
    {-90, 0, {-135, -45, -45, 45}},  // Left
    {0, 0, {-45, 45, -45, 45}},      // Center
    {90, 0, {45, 135, -45, 45}},     // Right
    {0, 90, {-180, 180, 30, 90}},    // Up
};

Patch CubeViewPatch(const CubeView& view) {
    Patch patch(nullptr, 0, view.elevation, view.azimuth, 90, 90);
    patch.coverageAzimuthMin = view.coverage[0];
    patch.coverageAzimuthMax = view.coverage[1];
    patch.coverageElevationMin = view.coverage[2];
    patch.coverageElevationMax = view.coverage[3];
    return patch;
}

}  // namespace

CubeViewPatches MakeCubeViewPatches() {
    return {CubeViewPatch(kCubeViews[0]), CubeViewPatch(kCubeViews[1]),
            CubeViewPatch(kCubeViews[2]), CubeViewPatch(kCubeViews[3])};
}

bool ResolveCubeViews(const ChannelFiles& files, bool scan, CubeViewSequences& sequences,
                      Messages& messages) {
    const std::string* names[kCubeViewCount] = {&files.left, &files.center, &files.right,
                                                &files.top};
    std::string missing;
    for (int view = 0; view < kCubeViewCount; ++view) {
        const int found = scan ? ScanSequence(sequences[view], *names[view])
                               : AddSingleFile(sequences[view], *names[view]);
        if (!found) missing += *names[view] + " doesn't exist!\n";
    }
    if (missing.empty()) return true;
    messages.Show(missing, MessageButtons::kOk);
    return false;
}

std::string FourViewExtension(int outputType) {
    const char* extension = JobOutputExtension(outputType);
    return extension ? extension : "jpg";
}

std::string FramesWrittenPrompt(int frames) {
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    return std::to_string(frames) + (frames == 1 ? " frame" : " frames") + " written to " +
           (error ? std::string(".") : here.string()) + "\nOK?";
}

MapViewsResult RunFourViewPan(const ChannelFiles& files, const ChooseMapParameters& choose,
                              JobPorts& ports) {
    CubeViewPatches patches = MakeCubeViewPatches();
    CubeViewSequences sequences;
    if (!ResolveCubeViews(files, true, sequences, ports.messages)) return {};
    PanSettings settings = NewDocumentPanSettings();
    if (!choose(settings)) return {};
    CMosaDoc* document = NewMapDocument(settings, ports.messages, ports.documents);
    if (!document) return {};
    const MapViewsResult result =
        document->MapViews(patches, sequences, FourViewExtension(files.outputType), true, ports);
    ports.documents.CloseDocument(document);
    ports.messages.Show(FramesWrittenPrompt(result.framesWritten), MessageButtons::kOk);
    return result;
}
