#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/FramePlan.h"
#include "document/JobResult.h"
#include "ports/Documents.h"

// What every verb shares: the frame options, checking values, planning the frames and
// running the job through the console ports. Exit statuses: 0 every frame written (frames
// skipped on request aside), 1 a frame failed or an input is missing, 2 a bad command
// line, 128 + the signal's number when a signal cancelled the run.

void AddFrameOptions(CLI::App& verb, FrameOptions& options);

// Prints "mosa-batch: OPTION: PROBLEM" and answers 2.
int BadValue(const std::string& option, const std::string& problem);

// "W" (square) or "WxH", each 1 to 32767.
bool ParseSize(const std::string& text, int& width, int& height, std::string& problem);

// "A,B" as two numbers, nothing else.
bool ParsePair(const std::string& text, double& first, double& second);

// The output pattern, whose extension must name a type a picture can be saved as.
std::optional<FramePattern> OutputPattern(const std::string& text, std::string& problem);

// The inputs' and the output's patterns, and the plan of the frames: none to go on, else the
// exit status to end with (after a problem, or a dry run printed).
std::optional<int> PrepareRun(const std::vector<std::pair<std::string, std::string>>& inputTexts,
                              const std::string& outputText, const FrameOptions& options,
                              std::vector<NamedInput>& inputs, std::optional<FramePattern>& output,
                              FramePlan& plan);

// The panorama rectangle options "--size WxH", "--azi LEFT,RIGHT", "--alt BOTTOM,TOP" into
// the settings; none when they are good, else the exit status after the message.
struct PanSettings;
std::optional<int> ReadPanorama(const std::string& size, const std::string& azimuths,
                                const std::string& altitudes, PanSettings& pan);

// Plans the frames, telling the user what is skipped; a non-zero exit status on a problem.
int PlanFrames(const std::vector<NamedInput>& inputs, const FramePattern& output,
               const FrameOptions& options, FramePlan& plan);

// Prints each frame's inputs and output; renders nothing. Answers 0.
int PrintDryRun(const std::vector<NamedInput>& inputs, const FramePattern& output,
                const FramePlan& plan);

// For verbs of one input picture a frame: loads each planned frame's picture (a frame that
// does not load is skipped, with the reader's message) and hands it to work, until a signal
// cancels the run or work answers false.
class CImage;
void ForEachInputFrame(const FramePlan& plan, const FramePattern& source, JobPorts& ports,
                       JobResult& result,
                       const std::function<bool(int frame, const CImage& picture)>& work);

// Creates the output directories and runs the job through the console ports (messages on
// standard error, a progress bar unless quiet, signals cancel). Answers the exit status.
int RunJob(bool quiet, const FramePlan& plan, const FramePattern& output,
           const std::function<JobResult(JobPorts&)>& job);
