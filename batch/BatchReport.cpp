#include "batch/BatchReport.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace {

constexpr int kBarWidth = 24;
constexpr auto kRedrawInterval = std::chrono::milliseconds(250);

// "1:05" or "2:03:07".
std::string Clock(double seconds) {
    const long s = std::lround(std::max(0.0, seconds));
    char text[32];
    if (s >= 3600) {
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    } else {
        std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    }
    return text;
}

double Rounded(double seconds) {
    return std::round(seconds * 1000) / 1000;
}

}  // namespace

class BatchReport::RowProgress : public SignalOnlyProgress {
  public:
    explicit RowProgress(BatchReport& report) : report(report) {}
    void PumpMessages(int escCancels) override {
        SignalOnlyProgress::PumpMessages(escCancels);
        report.Tick();
    }

  private:
    BatchReport& report;
};

BatchReport::BatchReport(ProgressStyle style, std::map<std::string, int> frameOfName, bool terminal,
                         std::FILE* errors, std::FILE* json)
    : style(style),
      frameOfName(std::move(frameOfName)),
      terminal(terminal),
      errors(errors),
      json(json),
      total(static_cast<int>(this->frameOfName.size())) {}

BatchReport::~BatchReport() {
    ClearBar();
}

std::unique_ptr<Progress> BatchReport::NewRowProgress() {
    return std::make_unique<RowProgress>(*this);
}

double BatchReport::Elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double BatchReport::Remaining() const {
    const int done = written + failed;
    return done > 0 ? Elapsed() / done * (total - done) : 0;
}

void BatchReport::Emit(nlohmann::ordered_json event) {
    if (style != ProgressStyle::kJson) return;
    event["elapsed"] = Rounded(Elapsed());
    std::fprintf(json, "%s\n", event.dump().c_str());
    std::fflush(json);
}

void BatchReport::Started() {
    Emit({{"event", "start"}, {"total", total}});
    if (style == ProgressStyle::kAuto && terminal) DrawBar();
}

void BatchReport::Skipped(int frame, const std::string& why) {
    Emit({{"event", "skipped"}, {"frame", frame}, {"message", why}});
}

void BatchReport::Ended(int exitStatus, bool cancelled) {
    ClearBar();
    if (style == ProgressStyle::kAuto) {
        std::fprintf(errors, "mosa-batch: %d of %d frames written in %s", written, total,
                     Clock(Elapsed()).c_str());
        if (failed) std::fprintf(errors, ", %d failed", failed);
        std::fprintf(errors, "\n");
    }
    Emit({{"event", "end"},
          {"written", written},
          {"failed", failed},
          {"total", total},
          {"cancelled", cancelled},
          {"status", exitStatus}});
}

void BatchReport::FrameWritten(const std::string& name) {
    FrameDone(name, true);
}

void BatchReport::FrameFailed(const std::string& name) {
    FrameDone(name, false);
}

void BatchReport::FrameDone(const std::string& name, bool ok) {
    ok ? ++written : ++failed;
    const auto found = frameOfName.find(name);
    const nlohmann::ordered_json frame = found != frameOfName.end()
                                             ? nlohmann::ordered_json(found->second)
                                             : nlohmann::ordered_json();
    nlohmann::ordered_json event = {{"event", ok ? "frame" : "failed"},  {"frame", frame},
                                    {"done", written + failed},          {"total", total},
                                    {"remaining", Rounded(Remaining())}, {"output", name}};
    if (!ok) event["message"] = lastMessage;
    Emit(std::move(event));
    if (style != ProgressStyle::kAuto) return;
    if (terminal) {
        DrawBar();
        return;
    }
    const double elapsed = Elapsed();
    std::fprintf(errors, "%d/%d %s %s  %.2f fps  %s left\n", written + failed, total,
                 ok ? "written" : "failed", name.c_str(),
                 elapsed > 0 ? (written + failed) / elapsed : 0.0, Clock(Remaining()).c_str());
}

MessageAnswer BatchReport::Show(const std::string& text, MessageButtons buttons) {
    std::string line = text;
    std::replace(line.begin(), line.end(), '\n', ' ');
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    lastMessage = line;
    ClearBar();
    std::fprintf(errors, "%s\n", line.c_str());
    std::fflush(errors);
    Emit({{"event", "message"}, {"message", line}});
    if (barShown || (style == ProgressStyle::kAuto && terminal)) DrawBar();
    // Nobody answers on a farm node: a run goes on where it can, and declines what it asks.
    return buttons == MessageButtons::kYesNo ? MessageAnswer::kNo : MessageAnswer::kOk;
}

void BatchReport::Tick() {
    if (style != ProgressStyle::kAuto || !terminal) return;
    if (std::chrono::steady_clock::now() - lastDraw < kRedrawInterval) return;
    DrawBar();
}

void BatchReport::DrawBar() {
    if (style != ProgressStyle::kAuto || !terminal) return;
    lastDraw = std::chrono::steady_clock::now();
    const int done = written + failed;
    const int filled = total > 0 ? done * kBarWidth / total : kBarWidth;
    const double elapsed = Elapsed();
    std::string rate = "";
    if (done > 0 && elapsed > 0) {
        char text[64];
        std::snprintf(text, sizeof text, "  %.2f fps  %s left", done / elapsed,
                      Clock(Remaining()).c_str());
        rate = text;
    }
    std::fprintf(errors, "\r[%s%s] %d/%d frames  %s%s%s\033[K", std::string(filled, '#').c_str(),
                 std::string(kBarWidth - filled, '-').c_str(), done, total, Clock(elapsed).c_str(),
                 rate.c_str(), failed ? ("  " + std::to_string(failed) + " failed").c_str() : "");
    std::fflush(errors);
    barShown = true;
}

void BatchReport::ClearBar() {
    if (!barShown) return;
    std::fprintf(errors, "\r\033[K");
    std::fflush(errors);
    barShown = false;
}
