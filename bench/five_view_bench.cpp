// Times each five-view renderer on the analytic sky.
//
//   bench-fiveview [OUTPUT_SIZE [FACE_SIZE [THREADS [RENDERER]]]]
//
// Defaults: 2200, 1024, every core, all renderers; naming one renderer times only that one,
// for a profiler.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "fiveview/FiveViewRenderers.h"
#include "sky/SkyCube.h"
#include "util/RenderThreads.h"

namespace {

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int size = argc > 1 ? std::atoi(argv[1]) : 2200;
    const int faceSize = argc > 2 ? std::atoi(argv[2]) : 1024;
    SetRenderThreads(argc > 3 ? std::atoi(argv[3]) : 0);
    FacePictures faces;
    sky::RenderFaces(faces, faceSize, faceSize);
    FiveViewSettings settings;
    settings.polarSweep = 180;
    settings.polarFormat = kDomeMaster;
    CImage output;
    if (!output.Create(size, size, 24, -1)) return 1;
    SilentProgress progress;
    FiveViewTables plainTables, subsampleTables;
    EwaWeights weights;
    BuildEwaWeights(weights, 4.0);

    std::printf("%d x %d output from %d x %d faces, %d threads\n", size, size, faceSize, faceSize,
                RenderThreads());
    const struct {
        const char* name;
        std::function<void()> work;
    } runs[] = {
        {"RenderPlain", [&] { RenderPlain(output, settings, faces, progress); }},
        {"BuildPlainTable",
         [&] { BuildPlainTable(output, settings, faces, plainTables, progress); }},
        {"RenderPlainTable",
         [&] { RenderPlainTable(output, settings, faces, plainTables, progress); }},
        {"RenderSubsample5", [&] { RenderSubsample5(output, settings, faces, progress); }},
        {"BuildSubsample5Table",
         [&] { BuildSubsample5Table(output, settings, faces, subsampleTables, progress); }},
        {"RenderSubsample5Table",
         [&] { RenderSubsample5Table(output, settings, faces, subsampleTables, progress); }},
        {"RenderEwaRGB", [&] { RenderEwaRGB(output, settings, faces, weights, progress); }},
    };
    const char* only = argc > 4 ? argv[4] : nullptr;
    for (const auto& run : runs) {
        if (only && std::strcmp(only, run.name) != 0) continue;
        std::printf("%-22s %8.3f s\n", run.name, Seconds(run.work));
    }
    return 0;
}
