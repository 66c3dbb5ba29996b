#include "batch/FisheyeVerb.h"

#include <cstdio>

#include "batch/VerbRun.h"
#include "document/PictureLoad.h"
#include "mapdoc/MosaDoc.h"
#include "util/CancelRequest.h"

void FisheyeVerb::AddTo(CLI::App& app) {
    CLI::App* verb = app.add_subcommand("fisheye", "Map polar fisheye pictures onto the panorama");
    verb->add_option("input", input, "The fisheye: a file or a frame pattern")->required();
    verb->add_option("--out", out, "The panorama of every frame: a file or a frame pattern")
        ->required();
    verb->add_option("--fov", fov, "Fields of view H,V in degrees")->capture_default_str();
    verb->add_option("--tilt", tilt, "Tilt of the lens in degrees")->capture_default_str();
    verb->add_option("--size", size, "Panorama size WxH")->capture_default_str();
    verb->add_option("--azi", azimuths, "Panorama azimuths LEFT,RIGHT in degrees")
        ->capture_default_str();
    verb->add_option("--alt", altitudes, "Panorama altitudes BOTTOM,TOP in degrees")
        ->capture_default_str();
    AddFrameOptions(*verb, frames);
}

int FisheyeVerb::Run(bool quiet) const {
    FisheyeParams params;
    params.tilt = tilt;
    if (!ParsePair(fov, params.horizontalFov, params.verticalFov)) {
        return BadValue("--fov", "'" + fov + "' is no pair of degrees H,V");
    }
    PanSettings pan = NewDocumentPanSettings();
    std::string problem;
    if (!ParseSize(size, pan.width, pan.height, problem)) return BadValue("--size", problem);
    if (!ParsePair(azimuths, pan.azimuthLeft, pan.azimuthRight)) {
        return BadValue("--azi", "'" + azimuths + "' is no pair of degrees LEFT,RIGHT");
    }
    if (!ParsePair(altitudes, pan.altitudeBottom, pan.altitudeTop)) {
        return BadValue("--alt", "'" + altitudes + "' is no pair of degrees BOTTOM,TOP");
    }
    const auto source = FramePattern::Parse(input, problem);
    if (!source) return BadValue("input", problem);
    const auto output = OutputPattern(out, problem);
    if (!output) return BadValue("--out", problem);
    const std::vector<NamedInput> inputs = {{"input", *source}};
    FramePlan plan;
    if (const int status = PlanFrames(inputs, *output, frames, plan)) return status;
    if (frames.dryRun) return PrintDryRun(inputs, *output, plan);
    return RunJob(quiet, plan, *output, [&](JobPorts& ports) {
        JobResult result;
        CMosaDoc* map = NewMapDocument(pan, ports.messages, ports.documents);
        if (!map) {
            result.framesSkipped = static_cast<int>(plan.frames.size());
            return result;
        }
        SilentProgress noDisplay;
        for (int frame : plan.frames) {
            if (CancelRequested()) {
                result.cancelled = true;
                break;
            }
            CImage fisheye;
            if (!LoadPicture(fisheye, source->NameOf(frame), ports.messages)) {
                ++result.framesSkipped;
                continue;
            }
            map->MapFisheye(fisheye, params);
            if (!SaveFrame(*map, output->NameOf(frame), noDisplay, ports.messages, result)) break;
        }
        ports.documents.CloseDocument(map);
        return result;
    });
}
