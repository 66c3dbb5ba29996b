// Renders a 'Dome Master' TGA from five cube views through the five-view job, for trying the
// renderer by hand.
//
//   mosa-render-dome FACE_DIRECTORY OUTPUT_DIRECTORY [SIZE [SWEEP]]
//
// reads top, left, back, right and front .bmp from FACE_DIRECTORY and writes
// OUTPUT_DIRECTORY/sample00000.tga; SIZE defaults to 2200, SWEEP to 180 degrees.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fiveview/FiveViewJob.h"
#include "headless/ConsoleMessages.h"
#include "headless/ConsoleProgress.h"
#include "headless/HeadlessDocuments.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: mosa-render-dome FACE_DIRECTORY OUTPUT_DIRECTORY [SIZE [SWEEP]]\n");
        return 2;
    }
    const std::string faces = std::string(argv[1]) + "/";
    FiveViewSettings settings;
    settings.topFile = faces + "top.bmp";
    settings.leftFile = faces + "left.bmp";
    settings.backFile = faces + "back.bmp";
    settings.rightFile = faces + "right.bmp";
    settings.frontFile = faces + "front.bmp";
    settings.inputKind = 0;
    settings.width = settings.height = argc > 3 ? std::atoi(argv[3]) : 2200;
    settings.polarSweep = argc > 4 ? std::atof(argv[4]) : 180.0;
    settings.polarFormat = kDomeMaster;
    settings.outputFormat = kOutputTga;
    settings.directory = std::string(argv[2]) + "/";
    settings.baseName = "sample";

    ConsoleMessages messages;
    HeadlessDocuments documents{messages};
    JobPorts ports{messages, documents, [] { return std::make_unique<ConsoleProgress>(); }};
    AppSettings appSettings;
    const FiveViewResult result = RunFiveViewCommand(settings, appSettings, ports);
    if (!result.Succeeded()) return 1;
    std::printf("%ssample00000.tga\n", settings.directory.c_str());
    return 0;
}
