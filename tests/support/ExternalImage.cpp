#include "support/ExternalImage.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "image/Image.h"

bool ConvertAvailable() {
    return std::system("convert -version >/dev/null 2>&1") == 0;
}

bool InteropRequired() {
    const char* required = std::getenv("MOSA_REQUIRE_INTEROP");
    return required && std::string(required) == "1";
}

bool RunConvert(const std::string& arguments) {
    return std::system(("convert " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

bool PillowAvailable() {
    return std::system("/usr/bin/python3 -c 'import PIL' >/dev/null 2>&1") == 0;
}

bool FfmpegAvailable() {
    return std::system("ffmpeg -version >/dev/null 2>&1") == 0;
}

bool PillowRead(const std::string& file, const std::string& colourPpm,
                const std::string& alphaPpm) {
    const std::string script =
        "import sys\n"
        "from PIL import Image\n"
        "im = Image.open(sys.argv[1])\n"
        "im.convert('RGB').save(sys.argv[2], 'PPM')\n"
        "if 'A' in im.getbands(): im.getchannel('A').convert('RGB').save(sys.argv[3], 'PPM')\n";
    const std::string command = "/usr/bin/python3 -c \"" + script + "\" '" + file + "' '" +
                                colourPpm + "' '" + alphaPpm + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

bool RunFfmpeg(const std::string& arguments) {
    return std::system(("ffmpeg -loglevel error -y " + arguments + " >/dev/null 2>&1").c_str()) ==
           0;
}

bool WritePpm(const std::string& name, const RgbPicture& picture) {
    std::ofstream out(name, std::ios::binary);
    out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(picture.rgb.data()),
              static_cast<std::streamsize>(picture.rgb.size()));
    return static_cast<bool>(out);
}

bool ReadPpm(const std::string& name, RgbPicture& picture) {
    std::ifstream in(name, std::ios::binary);
    std::string magic;
    int maximum = 0;
    in >> magic >> picture.width >> picture.height >> maximum;
    in.get();
    if (!in || magic != "P6" || maximum != 255) return false;
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    in.read(reinterpret_cast<char*>(picture.rgb.data()),
            static_cast<std::streamsize>(picture.rgb.size()));
    return static_cast<bool>(in);
}

CImage ImageOf(const RgbPicture& picture) {
    CImage image;
    image.Create(picture.width, picture.height, 24, -1);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* p = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
            image.SetRGB(x, picture.height - 1 - y, p[0], p[1], p[2]);
        }
    }
    return image;
}

RgbPicture PictureOf(const CImage& image) {
    RgbPicture picture{image.Width(), image.Height(), {}};
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    for (int y = 0; y < picture.height; ++y) {
        image.ReadRowRGB(picture.height - 1 - y,
                         picture.rgb.data() + static_cast<size_t>(y) * picture.width * 3);
    }
    return picture;
}

RgbPicture TestPicture(int width, int height) {
    RgbPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.rgb.push_back(static_cast<uint8_t>(x * 37 + y * 3));
            picture.rgb.push_back(static_cast<uint8_t>(y * 53 + 11));
            picture.rgb.push_back(static_cast<uint8_t>((x * y) ^ 0x5A));
        }
    }
    return picture;
}
