#pragma once

#include "ports/Progress.h"

// A progress display for tests: records what the job did and cancels when the job has
// pumped a chosen number of times (never by default).
class ScriptedProgress : public SilentProgress {
  public:
    explicit ScriptedProgress(int cancelAtPump = -1) : cancelAtPump(cancelAtPump) {}

    int Open(const std::string& newTitle, int smooth) override {
        title = newTitle;
        return SilentProgress::Open(newTitle, smooth);
    }
    int SetPosition(int pos) override {
        ++steps;
        return SilentProgress::SetPosition(pos);
    }
    void PumpMessages(int) override {
        if (++pumps == cancelAtPump) cancelled = 1;
    }

    int cancelAtPump;
    int pumps = 0;
    int steps = 0;
    std::string title;
    std::string text;

  protected:
    void ShowText(const std::string& newText) override { text = newText; }
};

// What a job did with a progress display it owned and destroyed.
struct ProgressRecord {
    int pumps = 0;
    int steps = 0;
    int upper = 0;
    std::string title;
    std::string text;
};

// Hands its counts to the test when the job destroys it.
class RecordingProgress : public ScriptedProgress {
  public:
    RecordingProgress(int cancelAt, ProgressRecord& record)
        : ScriptedProgress(cancelAt), record(record) {}
    ~RecordingProgress() override { record = {pumps, steps, Upper(), title, text}; }

  private:
    ProgressRecord& record;
};
