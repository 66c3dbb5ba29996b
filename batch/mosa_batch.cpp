// mosa-batch: every job of mosa from the command line, for scripts and render farms.
#include <CLI/CLI.hpp>
#include <clocale>

#include "batch/FisheyeVerb.h"
#include "batch/FiveViewVerb.h"
#include "batch/FourViewVerb.h"
#include "batch/InfoVerb.h"
#include "batch/XformVerb.h"
#include "util/RenderThreads.h"

#ifndef MOSA_VERSION
#define MOSA_VERSION "1.0"
#endif

int main(int argc, char** argv) {
    std::setlocale(LC_NUMERIC, "C");
    CLI::App app{
        "Re-projects cube faces and wide-angle pictures for dome projection.\n"
        "Exit status: 0 every frame written, 1 a frame failed or an input is missing,\n"
        "2 a bad command line, 130/143 cancelled by SIGINT/SIGTERM.",
        "mosa-batch"};
    app.set_version_flag("--version", "mosa-batch " MOSA_VERSION);
    app.require_subcommand(1);
    int threads = 0;
    bool quiet = false;
    app.add_option("--threads", threads, "Render threads (0: one per core)")
        ->check(CLI::Range(0, 1024))
        ->capture_default_str();
    app.add_flag("--quiet", quiet, "No progress bar");
    FiveViewVerb fiveView;
    fiveView.AddTo(app);
    FourViewVerb fourView;
    fourView.AddTo(app);
    FisheyeVerb fisheye;
    fisheye.AddTo(app);
    XformVerb xform;
    xform.AddTo(app);
    InfoVerb info;
    info.AddTo(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : 2;
    }
    SetRenderThreads(threads);
    if (app.got_subcommand("fiveview")) return fiveView.Run(quiet);
    if (app.got_subcommand("xform")) return xform.Run(quiet);
    if (app.got_subcommand("fisheye")) return fisheye.Run(quiet);
    if (app.got_subcommand("fourview")) return fourView.Run(quiet);
    return info.Run();
}
