// Renders a 'Dome Master' picture from five cube views, for trying the renderer by hand.
//
//   mosa-render-dome FACE_DIRECTORY OUTPUT [SIZE [SWEEP]]
//
// reads top, left, back, right and front .bmp from FACE_DIRECTORY; SIZE defaults to 1024,
// SWEEP to 180 degrees.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fiveview/FiveViewRenderers.h"

namespace {

constexpr const char* kFaceNames[kFaceCount] = {"top", "left", "back", "right", "front"};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: mosa-render-dome FACE_DIRECTORY OUTPUT [SIZE [SWEEP]]\n");
        return 2;
    }
    const std::string directory = argv[1];
    FiveViewSettings settings;
    settings.width = settings.height = argc > 3 ? std::atoi(argv[3]) : 1024;
    settings.polarSweep = argc > 4 ? std::atof(argv[4]) : 180.0;
    settings.polarFormat = kDomeMaster;

    FacePictures faces;
    for (int face = 0; face < kFaceCount; ++face) {
        const std::string name = directory + "/" + kFaceNames[face] + ".bmp";
        if (!faces[face].Load(name) || !faces[face].HasImage()) {
            std::fprintf(stderr, "mosa-render-dome: cannot read %s\n", name.c_str());
            return 1;
        }
    }
    CImage output;
    if (!output.Create(settings.width, settings.height, 24, -1)) {
        std::fprintf(stderr, "mosa-render-dome: cannot make a %d x %d picture\n", settings.width,
                     settings.height);
        return 1;
    }
    SilentProgress progress;
    FiveViewTables tables;
    BuildPlainTable(output, settings, faces, tables, progress);
    RenderPlainTable(output, settings, faces, tables, progress);
    if (!output.SaveAs(argv[2])) {
        std::fprintf(stderr, "mosa-render-dome: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%s\n", argv[2]);
    return 0;
}
