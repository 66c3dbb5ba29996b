// mosa: prepares imagery for dome projection.
//
// Without file arguments it is a desktop application. With them it runs one batch job and
// exits: 0 when the job finished and wrote its output, 1 when it did not, 2 for a command line
// it could not understand. Without a display the batch job runs in the terminal.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "HeadlessRun.h"
#include "app/CommandLine.h"
#include "gui/app/DesktopRun.h"

namespace {

// The desktop needs a display server that answers, not just its name in the environment: a
// render node's stale DISPLAY would otherwise abort the run inside the toolkit. The test
// connection stays open while the desktop runs, because a server that resets when its last
// client leaves (Xvfb does) would otherwise be resetting just as the toolkit connects.
class DisplayCheck {
  public:
    DisplayCheck() {
        const char* platform = std::getenv("QT_QPA_PLATFORM");
        if (platform && std::strcmp(platform, "offscreen") == 0) return;
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        const char* x11 = std::getenv("DISPLAY");
        if (wayland && *wayland) {
            answers = true;
        } else if (x11 && *x11) {
            connection = xcb_connect(nullptr, nullptr);
            answers = xcb_connection_has_error(connection) == 0;
        }
    }
    ~DisplayCheck() {
        if (connection) xcb_disconnect(connection);
    }
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;

    bool Answers() const { return answers; }

  private:
    xcb_connection_t* connection = nullptr;
    bool answers = false;
};

bool HasFileArgument(const std::vector<std::string>& arguments) {
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i].empty() || arguments[i][0] != '-') return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    const DisplayCheck display;
    if (const auto files = FilesToOpen(arguments)) {
        if (display.Answers()) return RunDesktop(argc, argv, {arguments[0]}, *files);
        std::fprintf(stderr, "mosa: --open shows pictures in the desktop application, which "
                             "needs a display.\n");
        return ExitStatusOf(BatchOutcome::kBadCommandLine, 0);
    }
    if (display.Answers()) return RunDesktop(argc, argv, arguments, {});
    if (HasFileArgument(arguments)) return RunHeadless(arguments);
    std::fprintf(stderr,
                 "mosa: no display for the desktop application; give files to run a batch job.\n");
    return ExitStatusOf(BatchOutcome::kBadCommandLine, 0);
}
