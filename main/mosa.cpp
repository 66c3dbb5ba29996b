// mosa: prepares imagery for dome projection.
//
// Without file arguments it is a desktop application. With them it runs one batch job and
// exits: 0 when the job finished and wrote its output, 1 when it did not, 2 for a command line
// it could not understand. Without a display the batch job runs in the terminal.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "HeadlessRun.h"
#include "gui/app/DesktopRun.h"

namespace {

bool HasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && std::strcmp(platform, "offscreen") == 0) return false;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

bool HasFileArgument(const std::vector<std::string>& arguments) {
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i].empty() || arguments[i][0] != '-') return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    if (HasDisplay()) return RunDesktop(argc, argv, arguments);
    if (HasFileArgument(arguments)) return RunHeadless(arguments);
    std::fprintf(stderr,
                 "mosa: no display for the desktop application; give files to run a batch job.\n");
    return kExitBadCommandLine;
}
