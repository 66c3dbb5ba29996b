#include "batch/VerbRun.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>

#include "app/CommandLine.h"
#include "deep/DeepFiles.h"
#include "document/PictureLoad.h"
#include "fiveview/DeepFramePipeline.h"
#include "headless/HeadlessDocuments.h"
#include "headless/SignalCancel.h"
#include "image/FileTypeTable.h"
#include "util/CancelRequest.h"
#include "util/ValueRange.h"

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

std::string RangeText(const ValueRange& range) {
    char text[64];
    std::snprintf(text, sizeof text, "%g to %g", range.low, range.high);
    return text;
}

bool ParsePair(const std::string& text, double& first, double& second) {
    char rest = 0;
    return std::sscanf(text.c_str(), "%lf,%lf%c", &first, &second, &rest) == 2;
}

std::optional<FramePattern> OutputPattern(const std::string& text, std::string& problem,
                                          bool deep) {
    auto pattern = FramePattern::Parse(text, problem);
    if (!pattern) return std::nullopt;
    if (deep && IsDeepFileName(text)) return pattern;
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
                              FramePlan& plan, bool deepOutputs) {
    std::string problem;
    for (const auto& [option, text] : inputTexts) {
        const auto pattern = FramePattern::Parse(text, problem);
        if (!pattern) return BadValue(option, problem);
        inputs.push_back({option, *pattern});
    }
    output = OutputPattern(outputText, problem, deepOutputs);
    if (!output) return BadValue("--out", problem);
    if (const int status = PlanFrames(inputs, *output, options, plan)) return status;
    if (options.dryRun) return PrintDryRun(inputs, *output, plan);
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

void ForEachInputFrame(const FramePlan& plan, const FramePattern& source,
                       const OutputsOfFrame& outputsOf, JobPorts& ports, JobResult& result,
                       const std::function<bool(int frame, const CImage& picture)>& work) {
    result.events = ports.frameEvents;
    for (int frame : plan.frames) {
        if (CancelRequested()) {
            result.cancelled = true;
            return;
        }
        CImage picture;
        if (!LoadPicture(picture, source.NameOf(frame), ports.messages)) {
            for (const std::string& name : outputsOf(frame)) result.Skipped(name);
            continue;
        }
        if (!work(frame, picture)) return;
    }
}

void ForEachDeepInputFrame(const FramePlan& plan, const FramePattern& source,
                           const OutputsOfFrame& outputsOf, JobPorts& ports, JobResult& result,
                           const std::function<bool(int frame, const DeepPicture& picture)>& work) {
    result.events = ports.frameEvents;
    DeepPicture picture;
    for (int frame : plan.frames) {
        if (CancelRequested()) {
            result.cancelled = true;
            return;
        }
        std::string problem;
        if (!ReadDeepPicture(source.NameOf(frame), picture, problem)) {
            ports.messages.Show("Cannot read " + source.NameOf(frame) + ": " + problem,
                                MessageButtons::kOk);
            for (const std::string& name : outputsOf(frame)) result.Skipped(name);
            continue;
        }
        if (!work(frame, picture)) return;
    }
}

bool SaveDeepFrame(const DeepPicture& picture, const std::string& name,
                   const DeepWriteOptions& options, Messages& messages, JobResult& result) {
    std::string problem;
    const bool written = WriteDeepPicture(name, picture, options, problem);
    return CountDeepWrite(written, name, problem, messages, result);
}

OutputsOfFrame OneOutputEach(const FramePattern& output) {
    return [output](int frame) { return std::vector<std::string>{output.NameOf(frame)}; };
}

int RunJob(const RunOptions& options, const FramePlan& plan, const OutputsOfFrame& outputsOf,
           const std::function<JobResult(JobPorts&)>& job) {
    if (plan.frames.empty()) return 0;
    std::map<std::string, int> frameOfName;
    for (int frame : plan.frames) {
        for (const std::string& name : outputsOf(frame)) {
            frameOfName[name] = frame;
            const fs::path parent = fs::path(name).parent_path();
            std::error_code error;
            if (!parent.empty()) fs::create_directories(parent, error);
        }
    }
    const SignalCancel cancelOnSignal;
    BatchReport report(options.progress, std::move(frameOfName), isatty(STDERR_FILENO) == 1);
    HeadlessDocuments documents;
    JobPorts ports{report, documents, [&report] { return report.NewRowProgress(); }, &report};
    report.Started();
    for (int frame : plan.existing) report.Skipped(frame, "output exists");
    for (int frame : plan.missing) report.Skipped(frame, "input missing");
    const JobResult result = job(ports);
    BatchOutcome outcome = BatchOutcome::kDone;
    if (result.cancelled) {
        outcome = BatchOutcome::kCancelled;
    } else if (result.saveFailures || result.framesSkipped) {
        outcome = BatchOutcome::kJobFailed;
    }
    const int status = ExitStatusOf(outcome, SignalCancel::Received());
    if (outcome == BatchOutcome::kCancelled && SignalCancel::Received()) {
        report.Show(
            std::string("mosa-batch: cancelled by SIG") + sigabbrev_np(SignalCancel::Received()),
            MessageButtons::kOk);
    }
    report.Ended(status, result.cancelled);
    return status;
}
