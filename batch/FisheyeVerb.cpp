#include "batch/FisheyeVerb.h"

#include <cstdio>

#include "batch/VerbRun.h"
#include "deep/DeepFiles.h"
#include "mapdoc/FisheyeMapping.h"
#include "mapdoc/MosaDoc.h"

void FisheyeVerb::AddTo(CLI::App& app) {
    CLI::App* verb = app.add_subcommand("fisheye", "Map polar fisheye pictures onto the panorama");
    verb->add_option("input", input, "The fisheye: a file or a frame pattern")->required();
    verb->add_option("--out", out, "The panorama of every frame: a file or a frame pattern")
        ->required();
    verb->add_option("--fov", fov, "Fields of view H,V in degrees")->capture_default_str();
    verb->add_option("--tilt", tilt, "Tilt of the lens in degrees")->capture_default_str();
    panorama.AddTo(*verb, false);
    deep.AddTo(*verb);
    AddFrameOptions(*verb, frames);
}

int FisheyeVerb::Run(const RunOptions& options) const {
    FisheyeParams params;
    params.tilt = tilt;
    if (!ParsePair(fov, params.horizontalFov, params.verticalFov)) {
        return BadValue("--fov", "'" + fov + "' is no pair of degrees H,V");
    }
    PanSettings pan = NewDocumentPanSettings();
    if (const auto status = panorama.ApplyTo(pan, false)) return *status;
    bool deepPath = false;
    DeepWriteOptions write;
    if (const auto status = deep.Choose({input, out}, out, deepPath, write)) return *status;
    std::vector<NamedInput> inputs;
    std::optional<FramePattern> output;
    FramePlan plan;
    if (const auto status =
            PrepareRun({{"input", input}}, out, frames, inputs, output, plan, deepPath)) {
        return *status;
    }
    const FramePattern& source = inputs[0].pattern;
    if (deepPath) {
        const MapGrid grid = GridOf(pan);
        return RunJob(options, plan, OneOutputEach(*output), [&](JobPorts& ports) {
            JobResult result;
            DeepPicture rectangle;
            ForEachDeepInputFrame(
                plan, source, OneOutputEach(*output), ports, result,
                [&](int frame, const DeepPicture& fisheye) {
                    if (!rectangle.Create(pan.width, pan.height, fisheye.HasAlpha())) {
                        ports.messages.Show("Cannot make the panorama", MessageButtons::kOk);
                        result.Skipped(output->NameOf(frame));
                        return true;
                    }
                    MapFisheyeIntoDeep(rectangle, grid, fisheye, params);
                    return SaveDeepFrame(rectangle, output->NameOf(frame), write, ports.messages,
                                         result);
                });
            return result;
        });
    }
    return RunJob(options, plan, OneOutputEach(*output), [&](JobPorts& ports) {
        JobResult result;
        CMosaDoc* map = NewMapDocument(pan, ports.messages, ports.documents);
        if (!map) {
            result.framesSkipped = static_cast<int>(plan.frames.size());
            return result;
        }
        SignalOnlyProgress noDisplay;
        ForEachInputFrame(plan, source, OneOutputEach(*output), ports, result,
                          [&](int frame, const CImage& fisheye) {
                              map->MapFisheye(fisheye, params);
                              return SaveFrame(*map, output->NameOf(frame), noDisplay,
                                               ports.messages, result);
                          });
        ports.documents.CloseDocument(map);
        return result;
    });
}
