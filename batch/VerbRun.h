#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/BatchReport.h"
#include "batch/FramePlan.h"
#include "document/JobResult.h"
#include "ports/Documents.h"

// What every verb shares: the frame options, checking values, planning the frames and
// running the job through the console ports. Exit statuses: 0 every frame written (frames
// skipped on request aside), 1 a frame failed or an input is missing, 2 a bad command
// line, 128 + the signal's number when a signal cancelled the run.

void AddFrameOptions(CLI::App& verb, FrameOptions& options);

// How the whole run reports, from the options before the verb.
struct RunOptions {
    ProgressStyle progress = ProgressStyle::kAuto;
};

// The outputs a frame writes: most jobs write one, the output pattern's name of the frame.
using OutputsOfFrame = std::function<std::vector<std::string>(int frame)>;

// Prints "mosa-batch: OPTION: PROBLEM" and answers 2.
int BadValue(const std::string& option, const std::string& problem);

// "W" (square) or "WxH", each 1 to 32767.
bool ParseSize(const std::string& text, int& width, int& height, std::string& problem);

// "LOW to HIGH".
struct ValueRange;
std::string RangeText(const ValueRange& range);

// "A,B" as two numbers, nothing else.
bool ParsePair(const std::string& text, double& first, double& second);

// The output pattern, whose extension must name a type a picture can be saved as (with
// deep, also the deep formats: 16-bit PNG, TIFF, OpenEXR).
std::optional<FramePattern> OutputPattern(const std::string& text, std::string& problem,
                                          bool deep = false);

// The inputs' and the output's patterns, and the plan of the frames: none to go on, else the
// exit status to end with (after a problem, or a dry run printed).
std::optional<int> PrepareRun(const std::vector<std::pair<std::string, std::string>>& inputTexts,
                              const std::string& outputText, const FrameOptions& options,
                              std::vector<NamedInput>& inputs, std::optional<FramePattern>& output,
                              FramePlan& plan, bool deepOutputs = false);

// Plans the frames, telling the user what is skipped; a non-zero exit status on a problem.
int PlanFrames(const std::vector<NamedInput>& inputs, const FramePattern& output,
               const FrameOptions& options, FramePlan& plan);

// Prints each frame's inputs and output; renders nothing. Answers 0.
int PrintDryRun(const std::vector<NamedInput>& inputs, const FramePattern& output,
                const FramePlan& plan);

// For verbs of one input picture a frame: loads each planned frame's picture (a frame that
// does not load is skipped, with the reader's message, and its outputs count as failed) and
// hands it to work, until a signal cancels the run or work answers false. The result tells
// the ports' frame events of what it counts.
class CImage;
void ForEachInputFrame(const FramePlan& plan, const FramePattern& source,
                       const OutputsOfFrame& outputsOf, JobPorts& ports, JobResult& result,
                       const std::function<bool(int frame, const CImage& picture)>& work);

// The same for the deep pictures (16-bit PNG, TIFF, OpenEXR).
class DeepPicture;
void ForEachDeepInputFrame(const FramePlan& plan, const FramePattern& source,
                           const OutputsOfFrame& outputsOf, JobPorts& ports, JobResult& result,
                           const std::function<bool(int frame, const DeepPicture& picture)>& work);

// Writes a deep frame and counts it: "Could not write NAME: why" on a failure; false when a
// cancel stopped the write and the job is to stop.
struct DeepWriteOptions;
bool SaveDeepFrame(const DeepPicture& picture, const std::string& name,
                   const DeepWriteOptions& options, Messages& messages, JobResult& result);

// Creates the output directories and runs the job through the batch ports: messages on
// standard error, each finished frame reported in the chosen style, signals cancel.
// Answers the exit status.
int RunJob(const RunOptions& options, const FramePlan& plan, const OutputsOfFrame& outputsOf,
           const std::function<JobResult(JobPorts&)>& job);

// The output pattern's one name a frame.
OutputsOfFrame OneOutputEach(const FramePattern& output);
