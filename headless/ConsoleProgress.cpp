#include "headless/ConsoleProgress.h"

#include <unistd.h>

#include <algorithm>

#include "util/CancelRequest.h"

namespace {

constexpr int kBarWidth = 30;

}  // namespace

ConsoleProgress::ConsoleProgress(std::FILE* out) : out(out), terminal(isatty(fileno(out))) {}

ConsoleProgress::~ConsoleProgress() {
    if (!open) return;
    if (terminal) std::fputc('\n', out);
}

int ConsoleProgress::Open(const std::string& title, int) {
    if (open) return 1;
    open = true;
    caption = title;
    Draw();
    return 1;
}

void ConsoleProgress::SetRange(int newLower, int newUpper, int newStep) {
    if (!open) return;
    lower = newLower;
    upper = newUpper;
    step = newStep;
}

int ConsoleProgress::SetPosition(int pos) {
    if (!open) return position;
    const int previous = position;
    position = pos;
    const int percent = PercentOf(pos);
    if (percent != lastPercent) {
        lastPercent = percent;
        caption = "Progress [" + std::to_string(percent) + "%]";
    }
    Draw();
    return previous;
}

void ConsoleProgress::ShowText(const std::string& newText) {
    if (!open) return;
    text = newText;
    lastPrintedTenth = -1;
    Draw();
}

void ConsoleProgress::PumpMessages(int escCancels) {
    if (escCancels && CancelRequested()) cancelled = 1;
}

void ConsoleProgress::Draw() {
    const int percent = std::clamp(PercentOf(position), 0, 100);
    if (terminal) {
        const int filled = percent * kBarWidth / 100;
        std::fprintf(out, "\r%-16s [%s%s] %s\033[K", caption.c_str(),
                     std::string(filled, '#').c_str(), std::string(kBarWidth - filled, '-').c_str(),
                     text.c_str());
        std::fflush(out);
        return;
    }
    const int tenth = percent / 10;
    if (tenth == lastPrintedTenth) return;
    lastPrintedTenth = tenth;
    std::fprintf(out, "%s %s\n", caption.c_str(), text.c_str());
}
