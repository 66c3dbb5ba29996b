#include "support/LoadCost.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "image/Image.h"

namespace {

long PeakKilobytes() {
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Report {
    int answer;
    bool hasImage;
    double seconds;
    long growth;
};

[[noreturn]] void LoadAndReport(const std::string& file, int out) {
    // A forked child starts with its parent's resident pages as its peak.
    const long before = PeakKilobytes();
    const auto start = std::chrono::steady_clock::now();
    Report report{};
    {
        CImage image;
        report.answer = image.Load(file);
        report.hasImage = image.HasImage() != 0;
    }
    report.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    report.growth = PeakKilobytes() - before;
    const bool sent = write(out, &report, sizeof report) == static_cast<ssize_t>(sizeof report);
    _exit(sent ? 0 : 1);
}

}  // namespace

LoadCost MeasureLoad(const std::string& file) {
    LoadCost cost;
    int channel[2];
    if (pipe(channel) != 0) return cost;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        LoadAndReport(file, channel[1]);
    }
    close(channel[1]);
    Report report{};
    const bool got = child > 0 && read(channel[0], &report, sizeof report) ==
                                      static_cast<ssize_t>(sizeof report);
    close(channel[0]);
    int status = 0;
    if (child > 0) waitpid(child, &status, 0);
    if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return cost;
    cost = {true, report.answer, report.hasImage, report.seconds, report.growth};
    return cost;
}
