#pragma once

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "ports/FrameEvents.h"
#include "ports/Messages.h"
#include "ports/Progress.h"

// How a run tells of its frames.
enum class ProgressStyle {
    kAuto,  // a bar redrawn in place when standard error is a terminal, else a line a frame
    kJson,  // one JSON object a line on standard output, for farm managers
    kNone,  // nothing but the problems (--quiet)
};

// What a batch run tells people and programs: its messages (one line each on standard
// error, never a question: a farm node has nobody to answer) and the frames it finishes,
// counted against the total with their rate and the time left.
class BatchReport : public FrameEvents, public Messages {
  public:
    // frameOfName: each output the run is to write, with its frame number.
    BatchReport(ProgressStyle style, std::map<std::string, int> frameOfName, bool terminal,
                std::FILE* errors = stderr, std::FILE* json = stdout);
    ~BatchReport() override;
    BatchReport(const BatchReport&) = delete;
    BatchReport& operator=(const BatchReport&) = delete;

    void Started();
    // A frame the plan leaves out, and why ("output exists", "input missing").
    void Skipped(int frame, const std::string& why);
    void Ended(int exitStatus, bool cancelled);

    void FrameWritten(const std::string& name) override;
    void FrameFailed(const std::string& name) override;
    MessageAnswer Show(const std::string& text, MessageButtons buttons) override;

    // The progress a job steps row by row: it notices a signal's cancel at each pump and
    // keeps the bar's clock going; what it counts is the frames, not the rows.
    std::unique_ptr<Progress> NewRowProgress();

  private:
    class RowProgress;

    void FrameDone(const std::string& name, bool written);
    double Elapsed() const;
    double Remaining() const;
    void Emit(nlohmann::ordered_json event);
    void DrawBar();
    void ClearBar();
    void Tick();

    ProgressStyle style;
    std::map<std::string, int> frameOfName;
    bool terminal;
    std::FILE* errors;
    std::FILE* json;
    int total;
    int written = 0;
    int failed = 0;
    std::string lastMessage;
    bool barShown = false;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point lastDraw{};
};
