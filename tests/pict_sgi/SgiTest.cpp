#include <gtest/gtest.h>

#include "image/Image.h"
#include "support/ExternalImage.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

struct SgiHeader {
    int magic = 474, storage = 0, bytesPerChannel = 1, dimension = 3;
    int width = 0, height = 0, channels = 3;
};

std::vector<uint8_t> SgiFile(const SgiHeader& h, const std::vector<uint8_t>& planes) {
    std::vector<uint8_t> f(512 + planes.size(), 0);
    std::copy(planes.begin(), planes.end(), f.begin() + 512);
    const auto word = [&f](size_t at, int v) {
        f[at] = static_cast<uint8_t>(v >> 8);
        f[at + 1] = static_cast<uint8_t>(v);
    };
    word(0, h.magic);
    f[2] = static_cast<uint8_t>(h.storage);
    f[3] = static_cast<uint8_t>(h.bytesPerChannel);
    word(4, h.dimension);
    word(6, h.width);
    word(8, h.height);
    word(10, h.channels);
    return f;
}

class SgiRead : public ::testing::Test {
  protected:
    CImage Load(const std::vector<uint8_t>& bytes, int expectedAnswer) {
        WriteFileBytes(dir.File("x.rgb"), bytes);
        CImage image;
        EXPECT_EQ(image.Load(dir.File("x.rgb")), expectedAnswer);
        return image;
    }
    TempDir dir;
};

TEST_F(SgiRead, ConvertFilesLoadPixelExact) {
    REQUIRE_CONVERT();
    const RgbPicture picture = TestPicture(37, 23);
    ASSERT_TRUE(WritePpm(dir.File("in.ppm"), picture));
    ASSERT_TRUE(RunConvert(dir.File("in.ppm") + " -compress None sgi:" + dir.File("x.rgb")));
    ASSERT_EQ(ReadFileBytes(dir.File("x.rgb"))[2], 0) << "uncompressed";
    CImage image;
    EXPECT_EQ(image.Load(dir.File("x.rgb")), 1);
    EXPECT_TRUE(PictureOf(image) == picture);

    // Run-length files are not read.
    ASSERT_TRUE(RunConvert(dir.File("in.ppm") + " -compress RLE sgi:" + dir.File("x.rgb")));
    if (ReadFileBytes(dir.File("x.rgb"))[2] != 1) GTEST_SKIP() << "convert wrote no RLE file";
    EXPECT_EQ(image.Load(dir.File("x.rgb")), 0);
    EXPECT_FALSE(image.HasImage());
}

TEST_F(SgiRead, PlanesFillFromBottomRow) {
    const CImage image =
        Load(SgiFile({.width = 2, .height = 2}, {10, 20, 30, 40, 1, 2, 3, 4, 5, 6, 7, 8}), 1);
    uint8_t r, g, b;
    image.GetRGB(1, 0, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(20, 2, 6));
    image.GetRGB(0, 1, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(30, 3, 7));
}

TEST_F(SgiRead, RefusedHeadersLeaveNoImage) {
    const std::vector<uint8_t> planes(12, 9);
    const SgiHeader refused[] = {{.storage = 1, .width = 2, .height = 2},
                                 {.bytesPerChannel = 2, .width = 2, .height = 2},
                                 {.dimension = 2, .width = 2, .height = 2},
                                 {.width = 2, .height = 2, .channels = 4},
                                 {.width = 2, .height = 2, .channels = 1},
                                 {.magic = 475, .width = 2, .height = 2},
                                 {.width = 0, .height = 2},
                                 {.width = 65535, .height = 65535}};
    for (const SgiHeader& h : refused) EXPECT_FALSE(Load(SgiFile(h, planes), 0).HasImage());
    std::vector<uint8_t> shortHeader = SgiFile({.width = 2, .height = 2}, {});
    shortHeader.resize(511);
    EXPECT_FALSE(Load(shortHeader, 0).HasImage());
}

TEST_F(SgiRead, ShortFileKeepsWhatCameAndZeroesTheRest) {
    // Red complete, green up to the middle of its second row, no blue.
    const CImage image = Load(SgiFile({.width = 4, .height = 3}, std::vector<uint8_t>(18, 50)), 0);
    ASSERT_TRUE(image.HasImage());
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            uint8_t r, g, b;
            image.GetRGB(x, y, r, g, b);
            EXPECT_EQ(std::tie(r, g, b), std::make_tuple(50, y * 4 + x < 6 ? 50 : 0, 0));
        }
    }
}

TEST_F(SgiRead, WritingAnswersZero) {
    CImage image;
    image.Create(2, 2, 24, -1);
    EXPECT_EQ(image.SaveAs(dir.File("y.rgb")), 0);
}

}  // namespace
