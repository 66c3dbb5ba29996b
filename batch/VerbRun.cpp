#include "batch/VerbRun.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/CommandLine.h"
#include "document/PictureLoad.h"
#include "headless/ConsoleMessages.h"
#include "headless/ConsoleProgress.h"
#include "headless/HeadlessDocuments.h"
#include "headless/SignalCancel.h"
#include "image/FileTypeTable.h"
#include "mapdoc/PanSettings.h"
#include "util/CancelRequest.h"

namespace fs = std::filesystem;

void AddFrameOptions(CLI::App& verb, FrameOptions& options) {
    verb.add_option("--frames", options.frames,
                    "Frames to render: 1-1000, 1-1000x2, 1,5,9-20 (default: those on disk)");
    verb.add_option("--chunk", options.chunk,
                    "K/N: only the K-th of N contiguous shares of the frames");
    verb.add_flag("--skip-existing", options.skipExisting,
                  "Leave frames whose output exists (resumes an interrupted run)");
    verb.add_flag("--skip-missing", options.skipMissing,
                  "Skip frames with a missing input instead of stopping");
    verb.add_flag("--dry-run", options.dryRun, "Print each frame's files; render nothing");
}

int BadValue(const std::string& option, const std::string& problem) {
    std::fprintf(stderr, "mosa-batch: %s: %s\n", option.c_str(), problem.c_str());
    return 2;
}

bool ParseSize(const std::string& text, int& width, int& height, std::string& problem) {
    const auto read = [](std::string_view part, int& value) {
        const auto r = std::from_chars(part.data(), part.data() + part.size(), value);
        return r.ec == std::errc() && r.ptr == part.data() + part.size() && value >= 1 &&
               value <= 32767;
    };
    const size_t x = text.find('x');
    const std::string_view all = text;
    const bool ok = x == std::string::npos
                        ? read(all, width) && read(all, height)
                        : read(all.substr(0, x), width) && read(all.substr(x + 1), height);
    if (!ok) problem = "'" + text + "' is no size W or WxH with each 1 to 32767";
    return ok;
}

bool ParsePair(const std::string& text, double& first, double& second) {
    char rest = 0;
    return std::sscanf(text.c_str(), "%lf,%lf%c", &first, &second, &rest) == 2;
}

std::optional<FramePattern> OutputPattern(const std::string& text, std::string& problem) {
    auto pattern = FramePattern::Parse(text, problem);
    if (!pattern) return std::nullopt;
    if (SaveTypeOfName(text) < 0) {
        problem = "'" + fs::path(text).extension().string() +
                  "' is no type mosa writes; use one of" + WritableExtensionList() + ", gif";
        return std::nullopt;
    }
    return pattern;
}

int PlanFrames(const std::vector<NamedInput>& inputs, const FramePattern& output,
               const FrameOptions& options, FramePlan& plan) {
    std::string problem;
    bool commandLineFault = false;
    if (!MakeFramePlan(inputs, output, options, plan, problem, commandLineFault)) {
        std::fprintf(stderr, "mosa-batch: %s\n", problem.c_str());
        return commandLineFault ? 2 : 1;
    }
    for (int frame : plan.missing) {
        std::fprintf(stderr, "mosa-batch: frame %d skipped: an input is missing\n", frame);
    }
    if (!plan.existing.empty()) {
        std::fprintf(stderr, "mosa-batch: %zu frames skipped: their output exists\n",
                     plan.existing.size());
    }
    return 0;
}

std::optional<int> PrepareRun(const std::vector<std::pair<std::string, std::string>>& inputTexts,
                              const std::string& outputText, const FrameOptions& options,
                              std::vector<NamedInput>& inputs, std::optional<FramePattern>& output,
                              FramePlan& plan) {
    std::string problem;
    for (const auto& [option, text] : inputTexts) {
        const auto pattern = FramePattern::Parse(text, problem);
        if (!pattern) return BadValue(option, problem);
        inputs.push_back({option, *pattern});
    }
    output = OutputPattern(outputText, problem);
    if (!output) return BadValue("--out", problem);
    if (const int status = PlanFrames(inputs, *output, options, plan)) return status;
    if (options.dryRun) return PrintDryRun(inputs, *output, plan);
    return std::nullopt;
}

std::optional<int> ReadPanorama(const std::string& size, const std::string& azimuths,
                                const std::string& altitudes, PanSettings& pan) {
    std::string problem;
    if (!ParseSize(size, pan.width, pan.height, problem)) return BadValue("--size", problem);
    if (!ParsePair(azimuths, pan.azimuthLeft, pan.azimuthRight)) {
        return BadValue("--azi", "'" + azimuths + "' is no pair of degrees LEFT,RIGHT");
    }
    if (!ParsePair(altitudes, pan.altitudeBottom, pan.altitudeTop)) {
        return BadValue("--alt", "'" + altitudes + "' is no pair of degrees BOTTOM,TOP");
    }
    return std::nullopt;
}

int PrintDryRun(const std::vector<NamedInput>& inputs, const FramePattern& output,
                const FramePlan& plan) {
    for (int frame : plan.frames) {
        std::printf("frame %d:", frame);
        for (const NamedInput& input : inputs) {
            std::printf(" %s %s", input.option.c_str(), input.pattern.NameOf(frame).c_str());
        }
        std::printf(" -> %s\n", output.NameOf(frame).c_str());
    }
    return 0;
}

void ForEachInputFrame(const FramePlan& plan, const FramePattern& source, JobPorts& ports,
                       JobResult& result,
                       const std::function<bool(int frame, const CImage& picture)>& work) {
    for (int frame : plan.frames) {
        if (CancelRequested()) {
            result.cancelled = true;
            return;
        }
        CImage picture;
        if (!LoadPicture(picture, source.NameOf(frame), ports.messages)) {
            ++result.framesSkipped;
            continue;
        }
        if (!work(frame, picture)) return;
    }
}

int RunJob(bool quiet, const FramePlan& plan, const FramePattern& output,
           const std::function<JobResult(JobPorts&)>& job) {
    if (plan.frames.empty()) return 0;
    for (int frame : plan.frames) {
        const fs::path parent = fs::path(output.NameOf(frame)).parent_path();
        std::error_code error;
        if (!parent.empty()) fs::create_directories(parent, error);
    }
    const SignalCancel cancelOnSignal;
    ConsoleMessages messages;
    HeadlessDocuments documents;
    JobPorts ports{messages, documents, [quiet]() -> std::unique_ptr<Progress> {
                       if (quiet) return std::make_unique<SilentProgress>();
                       return std::make_unique<ConsoleProgress>();
                   }};
    const JobResult result = job(ports);
    BatchOutcome outcome = BatchOutcome::kDone;
    if (result.cancelled) {
        outcome = BatchOutcome::kCancelled;
    } else if (result.saveFailures || result.framesSkipped) {
        outcome = BatchOutcome::kJobFailed;
    }
    if (outcome == BatchOutcome::kCancelled && SignalCancel::Received()) {
        std::fprintf(stderr, "mosa-batch: cancelled by SIG%s\n",
                     sigabbrev_np(SignalCancel::Received()));
    }
    return ExitStatusOf(outcome, SignalCancel::Received());
}
