#pragma once

#include "ports/Progress.h"

// A progress display for tests: records what the job did and cancels when the job has
// pumped a chosen number of times (never by default).
class ScriptedProgress : public Progress {
public:
    explicit ScriptedProgress(int cancelAtPump = -1) : cancelAtPump(cancelAtPump) {}

    int Open(const std::string& newTitle, int) override {
        title = newTitle;
        return 1;
    }
    void SetRange(int newLower, int newUpper, int newStep) override {
        lower = newLower;
        upper = newUpper;
        step = newStep;
    }
    void SetTextLines(int, int) override {}
    int SetPosition(int pos) override {
        const int previous = position;
        position = pos;
        ++steps;
        return previous;
    }
    void PumpMessages(int) override {
        if (++pumps == cancelAtPump) cancelled = 1;
    }

    int Position() const { return position; }
    int cancelAtPump;
    int pumps = 0;
    int steps = 0;
    std::string title;
    std::string text;

protected:
    void ShowText(const std::string& newText) override { text = newText; }
};
