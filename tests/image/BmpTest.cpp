#include <gtest/gtest.h>

#include "image/Image.h"
#include "support/ExternalImage.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "util/ByteOrder.h"

namespace {

TEST(BmpWrite, TwoByTwoTrueColourFileIsSeventyBytes) {
    TempDir dir;
    CImage image;
    image.Create(2, 2, 24, -1);
    image.SetRGB(0, 0, 1, 2, 3);
    image.SetRGB(1, 1, 4, 5, 6);
    ASSERT_EQ(image.SaveAs(dir.File("a.bmp")), 1);
    const std::vector<uint8_t> bytes = ReadFileBytes(dir.File("a.bmp"));
    ASSERT_EQ(bytes.size(), 70u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(GetLE32(&bytes[2]), 70u);
    EXPECT_EQ(GetLE32(&bytes[10]), 54u);
    EXPECT_EQ(GetLE32(&bytes[14]), 40u);
    EXPECT_EQ(GetLE32(&bytes[34]), 16u) << "image size: two rows of 6 bytes padded to 8";
    // Bottom row first, blue green red.
    EXPECT_EQ(bytes[54], 3);
    EXPECT_EQ(bytes[56], 1);
    EXPECT_EQ(bytes[62 + 3], 6);
    EXPECT_EQ(bytes[62 + 5], 4);
}

TEST(BmpWrite, IndexedFileCarriesFullTable) {
    TempDir dir;
    CImage image;
    image.Create(3, 1, 8, -1);
    image.SetIndex(2, 0, 9);
    ASSERT_EQ(image.SaveAs(dir.File("p.bmp")), 1);
    const std::vector<uint8_t> bytes = ReadFileBytes(dir.File("p.bmp"));
    ASSERT_EQ(bytes.size(), 14u + 40u + 1024u + 4u);
    EXPECT_EQ(GetLE32(&bytes[10]), 1078u);
    EXPECT_EQ(bytes[1078 + 2], 9);

    CImage back(dir.File("p.bmp"), -1);
    ASSERT_TRUE(back.HasImage());
    EXPECT_EQ(back.ColourType(), 3);
    EXPECT_EQ(back.GetPalette()->Count(), 256);
    uint8_t r, g, b;
    EXPECT_EQ(back.GetRGB(2, 0, r, g, b), 1);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(9, 9, 9))
        << "without a palette index 9 is grey level 9, and the file's table says so";
    EXPECT_EQ(GetLE16(back.GetImpl()->Dib() + 40 + 2 * 9), 9) << "table in index mode";
}

TEST(BmpWrite, PaletteSurvivesRoundTripAndTableReturnsToIndexMode) {
    TempDir dir;
    CImage image;
    image.Create(4, 2, 8, -1);
    const uint8_t triples[] = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    image.SetPaletteTriples(3, triples);
    image.SetIndex(3, 1, 2);
    ASSERT_EQ(image.SaveAs(dir.File("pal.bmp")), 1);
    EXPECT_EQ(GetLE16(image.GetImpl()->Dib() + 40 + 2), 1) << "back in index mode after writing";
    const std::vector<uint8_t> bytes = ReadFileBytes(dir.File("pal.bmp"));
    EXPECT_EQ(bytes[54 + 8], 90) << "entry 2 written blue, green, red";
    EXPECT_EQ(bytes[54 + 10], 70);
    CImage back(dir.File("pal.bmp"), -1);
    uint8_t r, g, b;
    back.GetRGB(3, 1, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(70, 80, 90));
}

TEST(BmpWrite, UnwritablePlaceAnswersZero) {
    CImage image;
    image.Create(2, 2, 24, -1);
    EXPECT_EQ(image.SaveAs("/nonexistent-directory/x.bmp"), 0);
    EXPECT_EQ(image.SaveAs("/dev/full"), 0) << "a failed write is not reported as success";
}

TEST(BmpInterop, OurFileReadsPixelExactInAnotherProgram) {
    REQUIRE_CONVERT();
    TempDir dir;
    const RgbPicture picture = TestPicture(7, 5);
    CImage image = ImageOf(picture);
    ASSERT_EQ(image.SaveAs(dir.File("ours.bmp")), 1);
    ASSERT_TRUE(RunConvert(dir.File("ours.bmp") + " " + dir.File("back.ppm")));
    RgbPicture back;
    ASSERT_TRUE(ReadPpm(dir.File("back.ppm"), back));
    EXPECT_EQ(back, picture);
}

struct ForeignBmp {
    const char* name;
    const char* options;  // how convert writes it
    bool exact;           // colours survive unchanged
};

class BmpForeignFiles : public testing::TestWithParam<ForeignBmp> {};

TEST_P(BmpForeignFiles, LoadLikeTheProgramThatWroteThem) {
    REQUIRE_CONVERT();
    TempDir dir;
    const RgbPicture picture = TestPicture(7, 5);
    ASSERT_TRUE(WritePpm(dir.File("in.ppm"), picture));
    const std::string bmp = dir.File("foreign.bmp");
    ASSERT_TRUE(RunConvert(dir.File("in.ppm") + " " + GetParam().options + bmp));
    // What the other program itself reads back from the file is the reference.
    ASSERT_TRUE(
        RunConvert(bmp + " -alpha off -type TrueColor -depth 8 " + dir.File("expected.ppm")));
    RgbPicture expected;
    ASSERT_TRUE(ReadPpm(dir.File("expected.ppm"), expected));
    if (GetParam().exact) {
        EXPECT_EQ(expected, picture);
    }

    CImage image(bmp, -1);
    ASSERT_TRUE(image.HasImage());
    const RgbPicture ours = PictureOf(image);
    ASSERT_EQ(ours.rgb.size(), expected.rgb.size());
    for (size_t i = 0; i < ours.rgb.size(); ++i) {
        ASSERT_NEAR(ours.rgb[i], expected.rgb[i], GetParam().exact ? 0 : 1) << "byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, BmpForeignFiles,
    testing::Values(ForeignBmp{"Windows24", "BMP3:", true},
                    ForeignBmp{"LongHeader24", "BMP:", true},
                    ForeignBmp{"Os2Header24", "BMP2:", true},
                    ForeignBmp{"Palette8", "-compress none -type palette BMP3:", true},
                    ForeignBmp{"Palette4", "-colors 16 -type palette BMP3:", false},
                    ForeignBmp{"Bilevel1", "-colors 2 -type bilevel BMP3:", false},
                    ForeignBmp{"BitFields565", "-define bmp:subtype=RGB565 BMP:", false},
                    ForeignBmp{"Alpha32",
                               "-alpha on -channel A -evaluate set 50% +channel BMP:", true}),
    [](const testing::TestParamInfo<ForeignBmp>& info) { return info.param.name; });

TEST(BmpInterop, AlphaOfThirtyTwoBitFileBecomesAlphaPlane) {
    REQUIRE_CONVERT();
    TempDir dir;
    ASSERT_TRUE(WritePpm(dir.File("in.ppm"), TestPicture(3, 2)));
    ASSERT_TRUE(
        RunConvert(dir.File("in.ppm") +
                   " -alpha on -channel A -evaluate set 50% +channel BMP:" + dir.File("a.bmp")));
    CImage image(dir.File("a.bmp"), -1);
    ASSERT_TRUE(image.HasImage());
    EXPECT_EQ(image.BitsPerPixel(), 24);
    ASSERT_NE(image.AlphaBits(), nullptr);
    EXPECT_NEAR(image.GetAlpha(1, 1), 128, 1);
}

// Builds a BMP by hand from a 24-bit picture we wrote, then rewrites header fields.
class HandMadeBmp : public testing::Test {
  protected:
    void SetUp() override {
        CImage image = ImageOf(TestPicture(3, 2));
        ASSERT_EQ(image.SaveAs(dir.File("base.bmp")), 1);
        bytes = ReadFileBytes(dir.File("base.bmp"));
        ASSERT_EQ(bytes.size(), 14u + 40u + 2u * 12u);
    }
    RgbPicture Load(const std::vector<uint8_t>& content, bool expectImage = true) {
        WriteFileBytes(dir.File("t.bmp"), content);
        CImage image(dir.File("t.bmp"), -1);
        EXPECT_EQ(image.HasImage(), expectImage ? 1 : 0);
        return image.HasImage() ? PictureOf(image) : RgbPicture{};
    }
    TempDir dir;
    std::vector<uint8_t> bytes;
};

TEST_F(HandMadeBmp, NoFileHeaderZeroImageSizeAndTopDownRows) {
    const RgbPicture picture = TestPicture(3, 2);
    EXPECT_EQ(Load(std::vector<uint8_t>(bytes.begin() + 14, bytes.end())), picture)
        << "a bare bitmap: rows right after the table";

    std::vector<uint8_t> noSize = bytes;
    PutLE32(&noSize[34], 0);
    EXPECT_EQ(Load(noSize), picture);

    std::vector<uint8_t> topDown = bytes;
    PutLE32(&topDown[22], static_cast<uint32_t>(-2));
    std::copy(bytes.begin() + 54, bytes.begin() + 66, topDown.begin() + 66);
    std::copy(bytes.begin() + 66, bytes.begin() + 78, topDown.begin() + 54);
    EXPECT_EQ(Load(topDown), picture);
}

TEST_F(HandMadeBmp, CoreHeaderWithFullThreeByteTable) {
    // 2 x 1, 8 bits, 256 table entries of blue, green, red.
    std::vector<uint8_t> file(14 + 12 + 768 + 4, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutLE32(&file[10], 14 + 12 + 768);
    PutLE32(&file[14], 12);
    PutLE16(&file[18], 2);
    PutLE16(&file[20], 1);
    PutLE16(&file[22], 1);
    PutLE16(&file[24], 8);
    for (int i = 0; i < 256; ++i) {
        file[26 + 3 * i] = static_cast<uint8_t>(i);            // blue
        file[26 + 3 * i + 1] = static_cast<uint8_t>(255 - i);  // green
        file[26 + 3 * i + 2] = 7;                              // red
    }
    file[26 + 768] = 200;
    file[26 + 769] = 3;
    WriteFileBytes(dir.File("core.bmp"), file);
    CImage image(dir.File("core.bmp"), -1);
    ASSERT_TRUE(image.HasImage());
    EXPECT_EQ(GetLE32(image.GetImpl()->Dib()), 40u) << "converted to the 40-byte header";
    EXPECT_EQ(GetLE32(image.GetImpl()->Dib() + 32), 256u);
    EXPECT_EQ(image.GetPalette()->Count(), 256);
    uint8_t r, g, b;
    image.GetRGB(0, 0, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(7, 55, 200));
    image.GetRGB(1, 0, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(7, 252, 3));
}

TEST_F(HandMadeBmp, ShortPixelSectionIsZeroFilled) {
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + 54 + 5);
    const RgbPicture loaded = Load(cut);
    const RgbPicture full = TestPicture(3, 2);
    // The file delivers the bottom row's first five bytes; everything after is black.
    const size_t bottom = 3 * 3;  // bottom row starts after the top row in top-first order
    EXPECT_EQ(loaded.rgb[bottom + 0], full.rgb[bottom + 0]);
    EXPECT_EQ(loaded.rgb[bottom + 4], full.rgb[bottom + 4]) << "green of pixel 1 is the fifth byte";
    EXPECT_EQ(loaded.rgb[bottom + 3], 0) << "red of pixel 1 came from the missing sixth byte";
    for (size_t i = 0; i < 9; ++i) EXPECT_EQ(loaded.rgb[i], 0) << "top row missing";
}

TEST_F(HandMadeBmp, HostileHeadersAreRefused) {
    auto patched = [&](size_t offset, uint32_t value, int width = 4) {
        std::vector<uint8_t> b = bytes;
        if (width == 2)
            PutLE16(&b[offset], value);
        else
            PutLE32(&b[offset], value);
        return b;
    };
    Load(patched(18, 0), false);                          // width 0
    Load(patched(18, static_cast<uint32_t>(-3)), false);  // negative width
    Load(patched(18, 100000), false);                     // width past the limit
    Load(patched(22, 0), false);                          // height 0
    Load(patched(22, 0x80000000u), false);                // most negative height
    std::vector<uint8_t> huge = patched(18, 60000);
    PutLE32(&huge[22], 60000);
    Load(huge, false);                     // 60000 x 60000: too many bytes
    Load(patched(22, 60000), true);        // 3 x 60000: fine, zero-filled
    Load(patched(28, 7, 2), false);        // bit count 7
    Load(patched(28, 48, 2), false);       // bit count 48
    Load(patched(30, 1), false);           // run-length compressed
    Load(patched(30, 3), false);           // bit fields on 24 bits
    Load(patched(14, 1000000), false);     // absurd header size
    Load(patched(14, 20), false);          // header shorter than any known
    Load(patched(10, 0xFFFFFFF0u), true);  // pixel offset past the end
    Load(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 13), false);
    Load(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 40), false);

    std::vector<uint8_t> hugeTable = patched(28, 8, 2);
    PutLE32(&hugeTable[46], 1000000000u);
    Load(hugeTable, false);
}

TEST_F(HandMadeBmp, EveryTruncationLoadsOrFailsCleanly) {
    for (size_t length = 0; length <= bytes.size(); ++length) {
        WriteFileBytes(dir.File("t.bmp"),
                       std::vector<uint8_t>(bytes.begin(), bytes.begin() + length));
        CImage image(dir.File("t.bmp"), -1);
        EXPECT_EQ(image.HasImage(), length >= 54 ? 1 : 0) << "length " << length;
    }
}

TEST(BmpRead, MissingFileLeavesFormatObjectWithoutPixels) {
    CImage image("/nonexistent/file.bmp", -1);
    EXPECT_NE(image.GetImpl(), nullptr);
    EXPECT_FALSE(image.HasImage());
    CImage unknown("/nonexistent/file.xyz", -1);
    EXPECT_EQ(unknown.GetImpl(), nullptr);
}

}  // namespace
