#pragma once

#include <cstdint>
#include <string>

#include "util/CancelRequest.h"

// What a long job needs of a progress display: a range, a text line, a step per unit of work,
// and a pump that keeps the front end responsive and is where a cancel request is noticed.
// The job reads `cancelled` after pumping and stops at its next safe point.
class Progress {
  public:
    Progress() = default;
    // A display is one window or one console line: a copy would show or count the same twice.
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    virtual ~Progress() = default;

    // Shows the display; answers 1 on success. Without it the display operations do nothing.
    virtual int Open(const std::string& title, int smooth) = 0;
    virtual void SetRange(int lower, int upper, int step) = 0;
    virtual void SetTextLines(int lines, int width) = 0;
    // printf-style; the text is cut at 511 characters.
    void SetText(const char* format, ...) __attribute__((format(printf, 2, 3)));
    int Step() { return SetPosition(position + step); }
    // Answers the previous position.
    virtual int SetPosition(int pos) = 0;
    virtual void PumpMessages(int escCancels) = 0;

    int cancelled = 0;

  protected:
    virtual void ShowText(const std::string& text) = 0;
    // The percentage the caption shows for a position.
    int PercentOf(int pos) const {
        return upper > lower ? static_cast<int>(int64_t{pos} * 100 / (int64_t{upper} - lower)) : 0;
    }

    int position = 0;
    int lastPercent = 0;
    int step = 1;
    int upper = 100;
    int lower = 0;
};

// A progress display nobody watches: it keeps count and never cancels by itself.
class SilentProgress : public Progress {
  public:
    int Open(const std::string&, int) override { return 1; }
    void SetRange(int newLower, int newUpper, int newStep) override {
        lower = newLower;
        upper = newUpper;
        step = newStep;
    }
    void SetTextLines(int, int) override {}
    int SetPosition(int pos) override {
        const int previous = position;
        position = pos;
        return previous;
    }
    void PumpMessages(int) override {}
    int Position() const { return position; }
    int Upper() const { return upper; }

  protected:
    void ShowText(const std::string&) override {}
};

// Nobody watches it either, but a cancelling signal stops the job at its next pump: for the
// parts of a job that show no progress of their own.
class SignalOnlyProgress : public SilentProgress {
  public:
    void PumpMessages(int escCancels) override {
        if (escCancels && CancelRequested()) cancelled = 1;
    }
};
