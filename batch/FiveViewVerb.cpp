#include "batch/FiveViewVerb.h"

#include <cstdio>
#include <filesystem>

#include "app/CommandLine.h"
#include "batch/VerbRun.h"
#include "deep/DeepFiles.h"
#include "fiveview/DeepFiveViewJob.h"
#include "fiveview/FiveViewJob.h"
#include "image/CodecSettings.h"
#include "image/FileTypeTable.h"
#include "util/PathParts.h"

void FiveViewVerb::AddTo(CLI::App& app) {
    CLI::App* verb = app.add_subcommand("fiveview", "Render polar domes from five cube views");
    verb->add_option("--left", left, "Left view: a file or a frame pattern")->required();
    verb->add_option("--front", front, "Front view")->required();
    verb->add_option("--right", right, "Right view")->required();
    verb->add_option("--top", top, "Top view")->required();
    verb->add_option("--back", back, "Back view")->required();
    verb->add_option("--out", out,
                     "The dome of every frame: a file or a frame pattern; "
                     "its extension chooses the type (png, tga, bmp, jpg, gif)")
        ->required();
    verb->add_option("--size", size, "Output size W or WxH (1 to 32767)")->capture_default_str();
    verb->add_option("--sweep", sweep, "Polar sweep in degrees")
        ->check(CLI::Range(0.0, 360.0))
        ->capture_default_str();
    verb->add_option("--layout", layout, "'Dome Master' or All-sky layout")
        ->check(CLI::IsMember({"domemaster", "allsky"}))
        ->capture_default_str();
    verb->add_option("--filter", filter, "Sampling: none, 5x sub-sample or EWA")
        ->check(CLI::IsMember({"none", "5x", "ewa"}))
        ->capture_default_str();
    verb->add_option("--crop", crop, "Pixels cropped from the faces' edges")
        ->check(CLI::Range(0, 32767))
        ->capture_default_str();
    verb->add_flag("--half-pan", halfPan, "The side views hold the upper half of the sky");
    deep.AddTo(*verb);
    AddFrameOptions(*verb, frames);
}

int FiveViewVerb::RunDeep(const RunOptions& options, const DeepWriteOptions& write,
                          const FiveViewSettings& settings, const std::vector<NamedInput>& inputs,
                          const FramePattern& output, const FramePlan& plan) const {
    std::vector<DeepFrameFiles> files;
    for (int frame : plan.frames) {
        DeepFrameFiles f;
        f.frame = frame;
        for (int t = 0; t < kFaceCount; ++t) {
            f.faces[t] = inputs[static_cast<size_t>(t)].pattern.NameOf(frame);
        }
        f.output = output.NameOf(frame);
        files.push_back(f);
    }
    return RunJob(options, plan, OneOutputEach(output), [&](JobPorts& ports) {
        return RenderDeepFiveView(settings, files, write, ports);
    });
}

int FiveViewVerb::Run(const RunOptions& options) const {
    int width = 0, height = 0;
    std::string problem;
    if (!ParseSize(size, width, height, problem)) return BadValue("--size", problem);
    if (crop % 2 != 0) {
        return BadValue("--crop", "'" + std::to_string(crop) +
                                      "' is odd: half of it is taken from every edge, so it "
                                      "must be even");
    }
    FiveViewSettings settings;
    settings.width = width;
    settings.height = height;
    settings.polarSweep = sweep;
    settings.polarFormat = layout == "domemaster" ? kDomeMaster : kAllSky;
    settings.samplingMode = filter == "5x" ? kSubsample5 : filter == "ewa" ? kEwa : kNoAA;
    settings.crop = crop;
    settings.halfPans = halfPan ? 1 : 0;
    settings.sameSize = 1;
    settings.baseName = std::filesystem::path(out).stem().string();
    bool deepPath = false;
    DeepWriteOptions write;
    if (const auto status = deep.Choose({out, left, front, right, top, back}, out, deepPath, write))
        return *status;
    std::vector<NamedInput> inputs;
    std::optional<FramePattern> output;
    FramePlan plan;
    if (const auto status = PrepareRun({{"--top", top},
                                        {"--left", left},
                                        {"--back", back},
                                        {"--right", right},
                                        {"--front", front}},
                                       out, frames, inputs, output, plan, deepPath)) {
        return *status;
    }
    if (deepPath) return RunDeep(options, write, settings, inputs, *output, plan);
    FiveViewSequences sequences;
    for (int t = 0; t < kFaceCount; ++t) {
        for (int frame : plan.frames) {
            sequences[t].entries.push_back(
                {inputs[static_cast<size_t>(t)].pattern.NameOf(frame), frame});
        }
    }
    return RunJob(options, plan, OneOutputEach(*output), [&](JobPorts& ports) -> JobResult {
        CImageDoc* document = NewDomeDocument(settings, ports);
        if (!document) return JobResult{0, 0, 1, false};
        const FiveViewResult result = RenderFiveView(
            *document, settings, sequences, [&](int frame) { return output->NameOf(frame); },
            ports);
        ports.documents.CloseDocument(document);
        return result;
    });
}
