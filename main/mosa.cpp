// mosa: prepares imagery for dome projection.
//
// With file arguments it runs one batch job and exits: 0 when the job finished and wrote its
// output, 1 when it did not, 2 for a command line it could not understand.
#include <cstdio>
#include <string>
#include <vector>

#include "HeadlessRun.h"
#include "app/CommandLine.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    if (argc < 2) {
        std::fprintf(stderr, "%s\n", kUsageText);
        return kExitBadCommandLine;
    }
    return RunHeadless(arguments);
}
