// Writes the analytic sky's five cube views, the sample input of a dome render.
//
//   mosa-sky faces DIRECTORY SIZE [EXTENSION]
//
// makes DIRECTORY/top.EXT, left, back, right and front (EXTENSION defaults to bmp).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sky/SkyCube.h"

namespace {

constexpr const char* kFaceNames[kFaceCount] = {"top", "left", "back", "right", "front"};

int Usage() {
    std::fprintf(stderr, "usage: mosa-sky faces DIRECTORY SIZE [EXTENSION]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || std::string(argv[1]) != "faces") return Usage();
    const std::string directory = argv[2];
    const int size = std::atoi(argv[3]);
    const std::string extension = argc > 4 ? argv[4] : "bmp";
    if (size < 2 || size > 16384) return Usage();
    for (int face = 0; face < kFaceCount; ++face) {
        CImage picture;
        sky::RenderFace(picture, face, size, size);
        const std::string name = directory + "/" + kFaceNames[face] + "." + extension;
        if (!picture.SaveAs(name)) {
            std::fprintf(stderr, "mosa-sky: cannot write %s\n", name.c_str());
            return 1;
        }
        std::printf("%s\n", name.c_str());
    }
    return 0;
}
