#pragma once

#include <cstdio>
#include <string>

#include "ports/Progress.h"

// Progress as a text bar on standard error: redrawn in place on a terminal, one plain line
// per tenth of the work (and per new text) otherwise. A cancel requested from outside (a
// signal, see SignalCancel) is seen by the job at its next pump.
class ConsoleProgress : public Progress {
  public:
    explicit ConsoleProgress(std::FILE* out = stderr);
    ~ConsoleProgress() override;

    int Open(const std::string& title, int smooth) override;
    void SetRange(int lower, int upper, int step) override;
    void SetTextLines(int, int) override {}
    int SetPosition(int pos) override;
    void PumpMessages(int escCancels) override;

    // What the caption reads: the title until the first percentage change, then
    // "Progress [37%]".
    const std::string& Caption() const { return caption; }

  protected:
    void ShowText(const std::string& newText) override;

  private:
    void Draw();

    std::FILE* out;
    bool terminal;
    bool open = false;
    std::string caption;
    std::string text;
    int lastPrintedTenth = -1;
};
