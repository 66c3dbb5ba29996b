#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/Image.h"
#include "support/ExternalImage.h"
#include "support/TempDir.h"

// Files made by ImageMagick's convert from pictures the test controls, and convert's decoding
// of files: the independent side of every comparison here.
class ConvertFiles : public testing::Test {
  protected:
    void SetUp() override { REQUIRE_CONVERT(); }
    // convert source options prefix+name; answers the new file's path.
    std::string Make(const std::string& source, const std::string& options, const std::string& name,
                     const std::string& prefix = "");
    std::string Make(const RgbPicture& picture, const std::string& options, const std::string& name,
                     const std::string& prefix = "");
    RgbPicture Decode(const std::string& file);
    // What convert's -format prints about the file ("%Q" for a JPEG's quality, say).
    std::string Describe(const std::string& file, const std::string& format);

    TempDir dir;
};

// PAM with an alpha sample per pixel (top row first), and PPM with 16-bit samples.
bool WritePam(const std::string& name, const RgbPicture& picture,
              const std::vector<uint8_t>& alpha);
bool WritePpm16(const std::string& name, int width, int height,
                const std::vector<uint16_t>& samples);

// Smooth ramps, different in every channel and direction; colours from a set of `count` in
// blocks; the picture's reds as grey levels.
RgbPicture Ramps(int width, int height);
RgbPicture FewColours(int width, int height, int count);
RgbPicture Greys(RgbPicture picture);

// Mean and largest difference over all samples of two pictures of the same size.
struct Difference {
    double mean = 0;
    int largest = 0;
};
Difference Compare(const RgbPicture& a, const RgbPicture& b);

// PNG chunks, to check what a file holds and to make damaged files.
struct PngChunk {
    std::string type;
    std::vector<uint8_t> data;
};
std::vector<PngChunk> PngChunks(const std::string& file);
std::vector<uint8_t> PngFile(const std::vector<PngChunk>& chunks);
// IHDR fields.
inline int BitDepthOf(const PngChunk& header) {
    return header.data.at(8);
}
inline int ColourTypeOf(const PngChunk& header) {
    return header.data.at(9);
}
