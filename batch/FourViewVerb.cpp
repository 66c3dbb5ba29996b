#include "batch/FourViewVerb.h"

#include "batch/MapViewsRun.h"
#include "mapdoc/FourViewPan.h"

void FourViewVerb::AddTo(CLI::App& app) {
    CLI::App* verb = app.add_subcommand("fourview", "Render panoramas from four cube views");
    verb->add_option("--left", left, "Left view: a file or a frame pattern")->required();
    verb->add_option("--center", center, "Centre view")->required();
    verb->add_option("--right", right, "Right view")->required();
    verb->add_option("--up", up, "Up view")->required();
    verb->add_option("--out", out, "The panorama of every frame: a file or a frame pattern")
        ->required();
    panorama.AddTo(*verb, true);
    deep.AddTo(*verb);
    AddFrameOptions(*verb, frames);
}

int FourViewVerb::Run(const RunOptions& options) const {
    PanSettings pan = NewDocumentPanSettings();
    if (const auto status = panorama.ApplyTo(pan, false)) return *status;
    bool deepPath = false;
    DeepWriteOptions write;
    if (const auto status = deep.Choose({left, center, right, up, out}, out, deepPath, write)) {
        return *status;
    }
    std::vector<NamedInput> inputs;
    std::optional<FramePattern> output;
    FramePlan plan;
    if (const auto status =
            PrepareRun({{"--left", left}, {"--center", center}, {"--right", right}, {"--up", up}},
                       out, frames, inputs, output, plan, deepPath)) {
        return *status;
    }
    CubeViewPatches patches = MakeCubeViewPatches();
    if (deepPath) return RunDeepMapViews(options, plan, *output, pan, patches, inputs, write);
    return RunMapViews(options, plan, *output, pan, patches, inputs);
}
