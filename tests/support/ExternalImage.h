#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/Image.h"

// Pictures exchanged with another imaging program (ImageMagick's convert) through plain
// PPM files, the independent oracle for our file formats.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // top row first, red, green, blue

    bool operator==(const RgbPicture&) const = default;
};

bool ConvertAvailable();
// Set where the interoperability oracle must run (CI sets MOSA_REQUIRE_INTEROP=1).
bool InteropRequired();

// Opens an interoperability test: without ImageMagick's convert it fails where the oracle
// is required and is skipped, saying why, elsewhere.
#define REQUIRE_CONVERT()                                                                 \
    do {                                                                                  \
        if (!ConvertAvailable()) {                                                        \
            if (InteropRequired()) {                                                      \
                FAIL() << "ImageMagick's convert is not installed; scripts/install-deps " \
                          "installs it";                                                  \
            }                                                                             \
            GTEST_SKIP() << "ImageMagick's convert is not installed";                     \
        }                                                                                 \
    } while (false)
// Runs convert with the arguments; true when it succeeded.
bool RunConvert(const std::string& arguments);

// The other programs whose files we read: Pillow (Debian's python3-pil) and ffmpeg.
bool PillowAvailable();
bool FfmpegAvailable();
// Like REQUIRE_CONVERT, for any of them.
#define REQUIRE_PROGRAM(available, name)                       \
    do {                                                       \
        if (!(available)) {                                    \
            if (InteropRequired())                             \
                FAIL() << name                                 \
                    " is not installed; scripts/install-deps " \
                    "installs it";                             \
            GTEST_SKIP() << name " is not installed";          \
        }                                                      \
    } while (false)
// Pillow's reading of a file, as its colours in a PPM (alpha left out) and, when it has
// alpha, that as the grey levels of a second PPM.
bool PillowRead(const std::string& file, const std::string& colourPpm, const std::string& alphaPpm);
bool RunFfmpeg(const std::string& arguments);

bool WritePpm(const std::string& name, const RgbPicture& picture);
bool ReadPpm(const std::string& name, RgbPicture& picture);

// A 24-bit picture with the colours, and back: the colours of a picture, top row first.
CImage ImageOf(const RgbPicture& picture);
RgbPicture PictureOf(const CImage& image);

// A picture with a different colour at every pixel, for pixel-exact comparisons.
RgbPicture TestPicture(int width, int height);
