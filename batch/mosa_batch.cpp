// mosa-batch: every job of mosa from the command line, for scripts and render farms.
#include <CLI/CLI.hpp>
#include <clocale>

#include "batch/FisheyeVerb.h"
#include "batch/FiveViewVerb.h"
#include "batch/FlatsVerb.h"
#include "batch/FourViewVerb.h"
#include "batch/InfoVerb.h"
#include "batch/XformVerb.h"
#include "image/CodecSettings.h"
#include "util/RenderThreads.h"

namespace {

constexpr const char* kExitStatuses =
    "Exit status: 0 every frame written, 1 a frame failed or an input is missing,\n"
    "2 a bad command line, 130/143 cancelled by SIGINT/SIGTERM.";

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_NUMERIC, "C");
    CLI::App app{"Re-projects cube faces and wide-angle pictures for dome projection.",
                 "mosa-batch"};
    app.footer(kExitStatuses);  // each verb's help takes it over
    app.set_version_flag("--version", "mosa-batch " MOSA_VERSION);
    app.require_subcommand(1);
    app.fallthrough();  // the run's options may come after the verb too
    int threads = 0;
    bool quiet = false;
    app.add_option("--threads", threads, "Render threads (0: one per core)")
        ->check(CLI::Range(0, 1024))
        ->capture_default_str();
    CodecSettings codecs;
    codecs.jpegFullColour = true;  // a farm renders finals: no 128-colour previews
    codecs.jpegQuality = 95;
    app.add_option("--jpeg-quality", codecs.jpegQuality, "JPEG quality of the outputs")
        ->check(CLI::Range(0, 100))
        ->capture_default_str();
    app.add_option("--png-level", codecs.pngLevel, "PNG compression: 0 none, 1 fastest, 9 smallest")
        ->check(CLI::Range(0, 9))
        ->capture_default_str();
    std::string progress = "auto";
    app.add_flag("--quiet", quiet, "No progress, only problems");
    app.add_option("--progress", progress,
                   "auto: a bar on a terminal, else a line a frame; json: a JSON object a line "
                   "on standard output; none")
        ->check(CLI::IsMember({"auto", "json", "none"}))
        ->capture_default_str();
    FiveViewVerb fiveView;
    fiveView.AddTo(app);
    FourViewVerb fourView;
    fourView.AddTo(app);
    FlatsVerb flats;
    flats.AddTo(app);
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
    SetCodecs(codecs);
    RunOptions options;
    options.progress = progress == "json"            ? ProgressStyle::kJson
                       : progress == "none" || quiet ? ProgressStyle::kNone
                                                     : ProgressStyle::kAuto;
    if (app.got_subcommand("fiveview")) return fiveView.Run(options);
    if (app.got_subcommand("xform")) return xform.Run(options);
    if (app.got_subcommand("fisheye")) return fisheye.Run(options);
    if (app.got_subcommand("fourview")) return fourView.Run(options);
    if (app.got_subcommand("flats")) return flats.Run(options);
    return info.Run();
}
