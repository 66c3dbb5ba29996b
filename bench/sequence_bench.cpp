// Times the five-view job over a numbered sequence (TGA faces in, TGA domes out, tables on)
// against decoding and encoding the same files alone.
//
//   bench-sequence DIR [FRAMES [SIZE [FACE_SIZE]]]    (defaults 30, 2200, 1024; DIR is scratch)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fiveview/FiveViewJob.h"
#include "headless/HeadlessDocuments.h"
#include "sky/SkyCube.h"

namespace {

constexpr const char* kStems[kFaceCount] = {"top", "left", "back", "right", "front"};

class QuietMessages : public Messages {
  public:
    MessageAnswer Show(const std::string& text, MessageButtons) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return MessageAnswer::kOk;
    }
};

std::string FaceName(const std::string& dir, int view, int frame) {
    char name[64];
    std::snprintf(name, sizeof name, "/%s%04d.tga", kStems[view], frame);
    return dir + name;
}

template <typename Work>
double Seconds(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string dir = argv[1];
    const int frames = argc > 2 ? std::atoi(argv[2]) : 30;
    const int size = argc > 3 ? std::atoi(argv[3]) : 2200;
    const int faceSize = argc > 4 ? std::atoi(argv[4]) : 1024;
    std::filesystem::create_directories(dir + "/out");
    FacePictures faces;
    sky::RenderFaces(faces, faceSize, faceSize);
    for (int view = 0; view < kFaceCount; ++view) {
        faces[view].SaveAs(FaceName(dir, view, 0));
        for (int frame = 1; frame < frames; ++frame) {
            std::filesystem::remove(FaceName(dir, view, frame));
            std::filesystem::create_hard_link(FaceName(dir, view, 0), FaceName(dir, view, frame));
        }
    }

    FiveViewSettings settings;
    settings.topFile = dir + "/top.tga";
    settings.leftFile = dir + "/left.tga";
    settings.backFile = dir + "/back.tga";
    settings.rightFile = dir + "/right.tga";
    settings.frontFile = dir + "/front.tga";
    settings.width = settings.height = size;
    settings.polarFormat = kDomeMaster;
    settings.outputFormat = kOutputTga;
    settings.directory = dir + "/out/";
    settings.baseName = "dome";
    AppSettings app;
    QuietMessages messages;
    HeadlessDocuments documents;
    JobPorts ports{messages, documents, [] { return std::make_unique<SilentProgress>(); }};
    const double job = Seconds([&] { RunFiveViewCommand(settings, app, ports); });

    CImage dome(dir + "/out/dome00000.tga", -1);
    const double alone = Seconds([&] {
        for (int frame = 0; frame < frames; ++frame) {
            for (int view = 0; view < kFaceCount; ++view)
                CImage face(FaceName(dir, view, frame), -1);
            dome.SaveAs(dir + "/out/alone.tga");
        }
    });
    std::printf("%d frames of %d x %d from %d x %d TGA faces\n", frames, size, size, faceSize,
                faceSize);
    std::printf("job            %.4f s a frame\n", job / frames);
    std::printf("decode+encode  %.4f s a frame\n", alone / frames);
    std::printf("ratio          %.2f\n", job / alone);
    return 0;
}
