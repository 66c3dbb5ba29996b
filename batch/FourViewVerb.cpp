#include "batch/FourViewVerb.h"

#include <cstdio>

#include "batch/VerbRun.h"
#include "mapdoc/FourViewPan.h"
#include "mapdoc/MosaDoc.h"

void FourViewVerb::AddTo(CLI::App& app) {
    CLI::App* verb = app.add_subcommand("fourview", "Render panoramas from four cube views");
    verb->add_option("--left", left, "Left view: a file or a frame pattern")->required();
    verb->add_option("--center", center, "Centre view")->required();
    verb->add_option("--right", right, "Right view")->required();
    verb->add_option("--up", up, "Up view")->required();
    verb->add_option("--out", out, "The panorama of every frame: a file or a frame pattern")
        ->required();
    verb->add_option("--size", size, "Panorama size WxH")->capture_default_str();
    verb->add_option("--azi", azimuths, "Azimuths LEFT,RIGHT in degrees")->capture_default_str();
    verb->add_option("--alt", altitudes, "Altitudes BOTTOM,TOP in degrees")->capture_default_str();
    verb->add_option("--eye", eye, "Eyepoint X,Y,Z inside the unit sphere")->capture_default_str();
    verb->add_option("--aa", antiAliasing, "Anti-aliasing")
        ->check(CLI::IsMember({"none", "4x", "7x"}))
        ->capture_default_str();
    AddFrameOptions(*verb, frames);
}

int FourViewVerb::Run(bool quiet) const {
    PanSettings pan = NewDocumentPanSettings();
    if (const auto status = ReadPanorama(size, azimuths, altitudes, pan)) return *status;
    char rest = 0;
    if (std::sscanf(eye.c_str(), "%lf,%lf,%lf%c", &pan.eyeX, &pan.eyeY, &pan.eyeZ, &rest) != 3 ||
        pan.eyeX * pan.eyeX + pan.eyeY * pan.eyeY + pan.eyeZ * pan.eyeZ >= 1) {
        return BadValue("--eye", "'" + eye + "' is no point X,Y,Z inside the unit sphere");
    }
    pan.antiAliasing = antiAliasing == "4x" ? kMap4x : antiAliasing == "7x" ? kMap7x : kMapNoAA;
    std::vector<NamedInput> inputs;
    std::optional<FramePattern> output;
    FramePlan plan;
    if (const auto status =
            PrepareRun({{"--left", left}, {"--center", center}, {"--right", right}, {"--up", up}},
                       out, frames, inputs, output, plan)) {
        return *status;
    }
    CubeViewSequences sequences;
    for (int view = 0; view < kCubeViewCount; ++view) {
        for (int frame : plan.frames) {
            sequences[view].entries.push_back(
                {inputs[static_cast<size_t>(view)].pattern.NameOf(frame), frame});
        }
    }
    return RunJob(quiet, plan, *output, [&](JobPorts& ports) -> JobResult {
        CMosaDoc* map = NewMapDocument(pan, ports.messages, ports.documents);
        if (!map) return JobResult{0, static_cast<int>(plan.frames.size()), 0, false};
        CubeViewPatches patches = MakeCubeViewPatches();
        MapViewsResult result = map->MapViews(
            patches, sequences, [&](int frame) { return output->NameOf(frame); }, ports);
        ports.documents.CloseDocument(map);
        // A frame with an unreadable view keeps that view's part of the last frame: it
        // counts as failed.
        result.framesSkipped += result.unreadableViews;
        return result;
    });
}
