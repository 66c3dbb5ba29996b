#include "batch/FlatsVerb.h"

#include <cstdio>

#include "batch/MapViewsRun.h"
#include "batch/ShotList.h"

void FlatsVerb::AddTo(CLI::App& app) {
    CLI::App* verb = app.add_subcommand(
        "flats", "Paint flat camera views into panoramas, from a JSON shot list");
    verb->add_option("shots", shots,
                     "The shot list: the panorama's parameters and each view's file, azimuth, "
                     "elevation, roll and fov [H, V]")
        ->required();
    verb->add_option("--out", out, "The panorama of every frame: a file or a frame pattern")
        ->required();
    panorama.AddTo(*verb, true);
    deep.AddTo(*verb);
    AddFrameOptions(*verb, frames);
}

int FlatsVerb::Run(const RunOptions& options) const {
    ShotList list;
    std::string problem;
    switch (ReadShotList(shots, list, problem)) {
        case ShotListProblem::kNone:
            break;
        case ShotListProblem::kUnreadable:
            std::fprintf(stderr, "mosa-batch: %s\n", problem.c_str());
            return 1;
        case ShotListProblem::kMalformed:
            std::fprintf(stderr, "mosa-batch: %s\n", problem.c_str());
            return 2;
    }
    if (const auto status = panorama.ApplyTo(list.pan, true)) return *status;
    std::vector<std::pair<std::string, std::string>> inputTexts;
    std::vector<Patch> patches;
    for (size_t i = 0; i < list.views.size(); ++i) {
        const ShotView& view = list.views[i];
        inputTexts.emplace_back("views[" + std::to_string(i) + "]", view.file);
        const PatchParameters& camera = view.camera;
        patches.emplace_back(nullptr, camera.roll, camera.elevation, camera.azimuth,
                             camera.horizontal, camera.vertical);
    }
    std::vector<std::string> names{out};
    for (const auto& [place, file] : inputTexts) names.push_back(file);
    bool deepPath = false;
    DeepWriteOptions write;
    if (const auto status = deep.Choose(names, out, deepPath, write)) return *status;
    std::vector<NamedInput> inputs;
    std::optional<FramePattern> output;
    FramePlan plan;
    if (const auto status = PrepareRun(inputTexts, out, frames, inputs, output, plan, deepPath)) {
        return *status;
    }
    if (deepPath) return RunDeepMapViews(options, plan, *output, list.pan, patches, inputs, write);
    return RunMapViews(options, plan, *output, list.pan, patches, inputs);
}
