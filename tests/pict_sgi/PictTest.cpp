#include <gtest/gtest.h>

#include <filesystem>

#include "image/Image.h"
#include "support/ExternalImage.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

std::vector<uint8_t> WritePict(const CImage& picture, const TempDir& dir) {
    CImage& image = const_cast<CImage&>(picture);
    EXPECT_EQ(image.SaveAs(dir.File("x.pict"), kTypePict), 1);
    return ReadFileBytes(dir.File("x.pict"));
}

std::vector<uint8_t> Bytes(const std::vector<uint8_t>& f, size_t from, size_t count) {
    return {f.begin() + from, f.begin() + std::min(f.size(), from + count)};
}

TEST(PictWrite, OnePixelFileLayout) {
    TempDir dir;
    CImage image;
    image.Create(1, 1, 24, -1);
    image.SetRGB(0, 0, 10, 20, 30);
    const std::vector<uint8_t> f = WritePict(image, dir);
    ASSERT_EQ(f.size(), 642u);
    EXPECT_EQ(Bytes(f, 0, 512), std::vector<uint8_t>(512, 0));
    // Size, frame, version, header with its fixed-point frame, clip region, direct bits with
    // its pixel map, rectangles and mode; then the one row: its length, a literal group of
    // three bytes, and the end opcode.
    const uint16_t words[] = {
        0, 0, 0, 1,      1,  0x0011, 0x02FF, 0x0C00, 0xFFFF, 0xFFFF, 0, 0,      0,      0, 1, 0, 1,
        0, 0, 0, 0x0001, 10, 0,      0,      1,      1,      0x009A, 0, 0x00FF, 0x8001, 0, 0, 1, 1,
        0, 4, 0, 0,      0,  72,     0,      72,     16,     32,     3, 8,      0,      0, 0, 0, 0,
        0, 0, 0, 1,      1,  0,      0,      1,      1,      0,      4};
    std::vector<uint8_t> expected;
    for (uint16_t w : words) expected.insert(expected.end(), {uint8_t(w >> 8), uint8_t(w)});
    expected.insert(expected.end(), {0x02, 10, 20, 30, 0x00, 0xFF});
    EXPECT_EQ(Bytes(f, 512, 130), expected);
}

TEST(PictWrite, RowPackingAndPad) {
    TempDir dir;
    CImage grey;  // 600 equal bytes: four runs of 128 and one of 88
    grey.Create(200, 1, 24, -1);
    grey.Fill(77, 77, 77, 0);
    std::vector<uint8_t> f = WritePict(grey, dir);
    EXPECT_EQ(f.size(), 634u + 2 + 10 + 2);
    EXPECT_EQ(Bytes(f, 634, 14), (std::vector<uint8_t>{0, 10, 0x81, 77, 0x81, 77, 0x81, 77, 0x81,
                                                       77, 0xA9, 77, 0x00, 0xFF}));

    CImage two;  // 6 different bytes: one literal group, 9 bytes with the length, so a pad
    two.Create(2, 1, 24, -1);
    two.SetRGB(0, 0, 1, 2, 3);
    two.SetRGB(1, 0, 4, 5, 6);
    f = WritePict(two, dir);
    EXPECT_EQ(Bytes(f, 634, 12), (std::vector<uint8_t>{0, 7, 5, 1, 4, 2, 5, 3, 6, 0, 0x00, 0xFF}));
}

TEST(PictWrite, ConvertReadsOurFiles) {
    REQUIRE_CONVERT();
    TempDir dir;
    // Runs that cross from one colour plane to the next, long runs and noise.
    RgbPicture picture{130, 24, {}};
    uint32_t seed = 5;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const uint8_t v = y % 3 == 0 ? 200
                              : x < 60   ? static_cast<uint8_t>(x / 9 * 30)
                                         : static_cast<uint8_t>(seed >> 24);
            picture.rgb.insert(picture.rgb.end(), {v, static_cast<uint8_t>(y % 2 ? v : 200), 200});
        }
    }
    CImage indexed;
    indexed.Create(90, 7, 8, -1);
    const uint8_t triples[] = {255, 0, 0, 0, 255, 0, 12, 34, 56};
    indexed.SetPaletteTriples(3, triples);
    for (int x = 0; x < 90; ++x) indexed.SetIndex(x, x % 7, x % 3);

    for (const CImage& image : {ImageOf(picture), std::move(indexed)}) {
        WritePict(image, dir);
        ASSERT_TRUE(RunConvert(dir.File("x.pict") + " " + dir.File("x.ppm")));
        RgbPicture theirs;
        ASSERT_TRUE(ReadPpm(dir.File("x.ppm"), theirs));
        EXPECT_TRUE(theirs == PictureOf(image));
    }
}

TEST(PictFile, NoReadingAndFailedWritesAnswerZero) {
    TempDir dir;
    CImage image;
    image.Create(16384, 1, 24, -1);
    EXPECT_EQ(image.SaveAs(dir.File("wide.pict"), kTypePict), 0) << "wider than row bytes hold";
    EXPECT_FALSE(std::filesystem::exists(dir.File("wide.pict")));
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(image.SaveAs("/dev/full", kTypePict), 0) << "a full disk is a failure";
    }

    image.Create(3, 2, 24, -1);
    ASSERT_EQ(image.SaveAs(dir.File("x.pic")), 1);
    CImage back;
    EXPECT_EQ(back.Load(dir.File("x.pic")), 0);
    EXPECT_FALSE(back.HasImage());
}

}  // namespace
