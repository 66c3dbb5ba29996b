#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/Image.h"
#include "support/FileBytes.h"
#include "support/LoadCost.h"
#include "support/TempDir.h"

namespace {

// Files of a few bytes whose headers declare pictures of a gigabyte or more. Each must be
// refused (or read) at a cost that has nothing to do with the declared size.
struct HostileFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

using Bytes = std::vector<uint8_t>;

void PutLE(Bytes& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}
void PutBE(Bytes& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * (size - 1 - i)));
}
void Append(Bytes& bytes, std::initializer_list<int> values) {
    for (int v : values) bytes.push_back(static_cast<uint8_t>(v));
}

// Uncompressed true colour, no pixel data.
Bytes TgaHeader(int width, int height, int bits) {
    Bytes f(18, 0);
    f[2] = 2;
    PutLE(f, 12, static_cast<uint32_t>(width), 2);
    PutLE(f, 14, static_cast<uint32_t>(height), 2);
    f[16] = static_cast<uint8_t>(bits);
    f[17] = 8;
    return f;
}

// Screen and image of the size, LZW code size 8, an empty data block, the trailer.
Bytes GifHeader(int width, int height) {
    Bytes f = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, ','};
    Append(f, {0, 0, 0, 0, width & 0xFF, width >> 8, height & 0xFF, height >> 8, 0, 8, 0, ';'});
    return f;
}

// File and info header of a plain BMP, a zero colour table for 8 bits or fewer, no rows.
Bytes BmpHeader(int width, int height, int bits) {
    Bytes f(54 + (bits <= 8 ? 4 << bits : 0), 0);
    f[0] = 'B';
    f[1] = 'M';
    PutLE(f, 14, 40, 4);
    PutLE(f, 18, static_cast<uint32_t>(width), 4);
    PutLE(f, 22, static_cast<uint32_t>(height), 4);
    PutLE(f, 26, 1, 2);
    PutLE(f, 28, static_cast<uint32_t>(bits), 2);
    return f;
}

// Verbatim three-channel SGI header, no planes.
Bytes SgiHeader(int width, int height) {
    Bytes f(512, 0);
    PutBE(f, 0, 474, 2);
    f[3] = 1;
    PutBE(f, 4, 3, 2);
    PutBE(f, 6, static_cast<uint32_t>(width), 2);
    PutBE(f, 8, static_cast<uint32_t>(height), 2);
    PutBE(f, 10, 3, 2);
    return f;
}

void Marker(Bytes& f, int code, const Bytes& body) {
    Append(f, {0xFF, code, static_cast<int>((body.size() + 2) >> 8),
               static_cast<int>((body.size() + 2) & 0xFF)});
    f.insert(f.end(), body.begin(), body.end());
}

// An arithmetic-coded sequential JPEG (SOF9) with a quantisation table, arithmetic
// conditioning, one scan over all components and two bytes of entropy data. The arithmetic
// decoder reads missing data as zeros, so libjpeg decodes such a file to a flat picture of
// the declared size. The first component gets the sampling factors given (0x22: 4:2:0).
Bytes ArithmeticJpeg(int width, int height, int components, int firstSampling = 0x11) {
    Bytes f = {0xFF, 0xD8};
    Bytes table = {0};
    for (int i = 0; i < 64; ++i) table.push_back(static_cast<uint8_t>(8 + i % 9));
    Marker(f, 0xDB, table);
    Bytes frame = {8,
                   static_cast<uint8_t>(height >> 8),
                   static_cast<uint8_t>(height),
                   static_cast<uint8_t>(width >> 8),
                   static_cast<uint8_t>(width),
                   static_cast<uint8_t>(components)};
    for (int c = 1; c <= components; ++c) Append(frame, {c, c == 1 ? firstSampling : 0x11, 0});
    Marker(f, 0xC9, frame);
    Marker(f, 0xCC, {0x00, 0x10, 0x10, 0x05});
    Bytes scan = {static_cast<uint8_t>(components)};
    for (int c = 1; c <= components; ++c) Append(scan, {c, 0x00});
    Append(scan, {0, 63, 0});
    Marker(f, 0xDA, scan);
    Append(f, {0xE2, 0x48, 0xFF, 0xD9});
    return f;
}

std::vector<HostileFile> HostileFiles() {
    return {
        {"tga_32bit_65535x5461.tga", TgaHeader(65535, 5461, 32)},
        {"gif_65535x16384.gif", GifHeader(65535, 16384)},
        {"bmp_24bit_65535x5461.bmp", BmpHeader(65535, 5461, 24)},
        {"bmp_32bit_65535x5461.bmp", BmpHeader(65535, 5461, 32)},
        {"bmp_8bit_65535x16384.bmp", BmpHeader(65535, 16384, 8)},
        {"sgi_65535x5461.rgb", SgiHeader(65535, 5461)},
        {"jpg_arith_grey_65500x16384.jpg", ArithmeticJpeg(65500, 16384, 1)},
        {"jpg_arith_rgb_16000x16000.jpg", ArithmeticJpeg(16000, 16000, 3)},
        {"jpg_arith_rgb_30000x20000.jpg", ArithmeticJpeg(30000, 20000, 3)},
        {"jpg_arith_rgb_50065x12287.jpg", ArithmeticJpeg(50065, 12287, 3, 0x22)},
    };
}

constexpr double kMostSeconds = 1.0;
constexpr long kMostKilobytes = 50 * 1024;

TEST(HostileHeaders, TinyFilesDeclaringHugePicturesAreRefusedCheaply) {
    TempDir dir;
    for (const HostileFile& file : HostileFiles()) {
        SCOPED_TRACE(file.name + " (" + std::to_string(file.bytes.size()) + " bytes)");
        WriteFileBytes(dir.File(file.name), file.bytes);
        const LoadCost cost = MeasureLoad(dir.File(file.name));
        ASSERT_TRUE(cost.measured);
        EXPECT_FALSE(cost.hasImage);
        EXPECT_LT(cost.seconds, kMostSeconds);
        EXPECT_LT(cost.peakGrowthKilobytes, kMostKilobytes);
        std::printf("%-32s %5zu bytes: %.3f s, %ld kB\n", file.name.c_str(), file.bytes.size(),
                    cost.seconds, cost.peakGrowthKilobytes);
    }
}

// The same hand-made files at modest sizes are pictures: what the arithmetic decoder makes
// of data it reads as zeros, and black rows for the other formats' missing data.
TEST(HostileHeaders, TheSameHeadersAtModestSizesLoad) {
    TempDir dir;
    const std::vector<HostileFile> modest = {
        {"a.tga", TgaHeader(300, 200, 32)},       {"a.gif", GifHeader(300, 200)},
        {"a.bmp", BmpHeader(300, 200, 24)},       {"b.bmp", BmpHeader(300, 200, 8)},
        {"a.rgb", SgiHeader(300, 200)},           {"grey.jpg", ArithmeticJpeg(300, 200, 1)},
        {"rgb.jpg", ArithmeticJpeg(300, 200, 3)}, {"sub.jpg", ArithmeticJpeg(320, 240, 3, 0x22)},
    };
    for (const HostileFile& file : modest) {
        SCOPED_TRACE(file.name);
        WriteFileBytes(dir.File(file.name), file.bytes);
        CImage image;
        image.Load(dir.File(file.name));
        ASSERT_TRUE(image.HasImage());
        EXPECT_EQ(image.Width() * 1000 + image.Height(), file.name == "sub.jpg" ? 320240 : 300200);
        uint8_t r = 1, g = 1, b = 1;
        ASSERT_EQ(image.GetRGB(7, 5, r, g, b), 1);
        if (file.name.ends_with(".jpg")) {
            // The library reads the missing data as zeros and decodes every row.
            EXPECT_EQ(image.RowsRead(), image.Height());
        } else {
            EXPECT_EQ(r + g + b, 0) << "the missing rows are black";
            EXPECT_EQ(image.RowsRead(), 0);
            EXPECT_EQ(image.RowsDeclared(), 200);
            EXPECT_TRUE(image.Truncated());
        }
    }
}

}  // namespace
