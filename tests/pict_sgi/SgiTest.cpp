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

int AlphaOf(const CImage& image, int x, int y) {
    uint8_t r = 0, g = 0, b = 0, a = 0;
    image.GetRGBA(x, y, r, g, b, a);
    return a;
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

    ASSERT_TRUE(RunConvert(dir.File("in.ppm") + " -compress RLE sgi:" + dir.File("x.rgb")));
    ASSERT_EQ(ReadFileBytes(dir.File("x.rgb"))[2], 1) << "run-length encoded";
    CImage runLength;
    EXPECT_EQ(runLength.Load(dir.File("x.rgb")), 1);
    EXPECT_TRUE(PictureOf(runLength) == picture);
}

// What ImageMagick reads in a file, at 8 bits: two-byte samples by their high byte, as
// Pillow takes them. The alpha as grey levels, when asked.
bool MagickRead(const std::string& file, const std::string& ppm, bool alpha) {
    return RunConvert("'" + file + "'" + (alpha ? " -alpha extract" : " -alpha off") +
                      " -fx 'floor((u*65535+0.5)/256)/255' -depth 8 '" + ppm + "'");
}

// ffmpeg writes run-length files of every depth and channel count it has (read here as
// ImageMagick reads them: Pillow 9 refuses ffmpeg's run-length rows), Pillow verbatim ones
// (read as Pillow reads them); alpha included.
TEST_F(SgiRead, OtherProgramsFilesReadAsTheyReadThem) {
    REQUIRE_PROGRAM(PillowAvailable(), "Pillow");
    REQUIRE_PROGRAM(FfmpegAvailable(), "ffmpeg");
    REQUIRE_CONVERT();
    const RgbPicture picture = TestPicture(37, 23);
    ASSERT_TRUE(WritePpm(dir.File("in.ppm"), picture));
    // Alpha that differs from pixel to pixel: the picture's own green.
    ASSERT_TRUE(RunConvert(dir.File("in.ppm") +
                           " \\( +clone -channel G -separate \\) -alpha off "
                           "-compose CopyOpacity -composite " +
                           dir.File("alpha.png")));
    struct Made {
        std::string file;
        bool byPillow;
        bool alpha;
    };
    std::vector<Made> files;
    for (const char* format : {"rgb24", "rgb48be", "gray", "gray16be", "rgba", "rgba64be"}) {
        const bool alpha = std::string(format).find("rgba") == 0;
        const std::string sgi = dir.File(std::string("ffmpeg-") + format + ".sgi");
        ASSERT_TRUE(RunFfmpeg("-i " + dir.File(alpha ? "alpha.png" : "in.ppm") + " -pix_fmt " +
                              format + " " + sgi));
        ASSERT_EQ(ReadFileBytes(sgi)[2], 1) << format << " is run-length encoded";
        files.push_back({sgi, false, alpha});
    }
    for (const char* mode : {"L", "RGB", "RGBA"}) {
        const std::string sgi = dir.File(std::string("pillow-") + mode + ".sgi");
        const std::string command = std::string(
                                        "/usr/bin/python3 -c \"from PIL import Image; "
                                        "Image.open('") +
                                    dir.File("alpha.png") + "').convert('" + mode + "').save('" +
                                    sgi + "')\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << mode;
        files.push_back({sgi, true, std::string(mode) == "RGBA"});
    }
    for (const Made& made : files) {
        SCOPED_TRACE(made.file);
        const std::string colourPpm = dir.File("colour.ppm"), alphaPpm = dir.File("alpha.ppm");
        ASSERT_TRUE(made.byPillow ? PillowRead(made.file, colourPpm, alphaPpm)
                                  : MagickRead(made.file, colourPpm, false) &&
                                        (!made.alpha || MagickRead(made.file, alphaPpm, true)));
        RgbPicture colour, alpha;
        ASSERT_TRUE(ReadPpm(colourPpm, colour));
        CImage image;
        EXPECT_EQ(image.Load(made.file), 1);
        EXPECT_TRUE(PictureOf(image) == colour);
        ASSERT_EQ(image.AlphaBits() != nullptr, made.alpha);
        if (!made.alpha) continue;
        ASSERT_TRUE(ReadPpm(alphaPpm, alpha));
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                const size_t at =
                    (static_cast<size_t>(image.Height() - 1 - y) * alpha.width + x) * 3;
                ASSERT_EQ(AlphaOf(image, x, y), alpha.rgb[at]) << x << "," << y;
            }
        }
    }
}

// Grey with alpha, which neither program writes: two planes, grey then alpha.
TEST_F(SgiRead, GreyAndAlphaPlanesBecomeColourAndAlpha) {
    const CImage image = Load(
        SgiFile({.dimension = 3, .width = 2, .height = 1, .channels = 2}, {10, 200, 255, 7}), 1);
    uint8_t r, g, b;
    image.GetRGB(1, 0, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(200, 200, 200));
    ASSERT_NE(image.AlphaBits(), nullptr);
    EXPECT_EQ(AlphaOf(image, 0, 0), 255);
    EXPECT_EQ(AlphaOf(image, 1, 0), 7);
}

// Run-length rows that lie, run past their row or leave the file load what they can, never
// read or write outside their buffers, and say the file was not whole.
TEST_F(SgiRead, DamagedRunLengthRowsLoadWhatTheyHold) {
    const auto word32 = [](std::vector<uint8_t>& f, size_t at, uint32_t v) {
        for (int k = 0; k < 4; ++k) f[at + k] = static_cast<uint8_t>(v >> (24 - 8 * k));
    };
    // One channel, 4 x 2: row 0 a run of 200 samples of 9 (clipped to 4), row 1 pointing
    // past the end of the file.
    std::vector<uint8_t> f =
        SgiFile({.storage = 1, .dimension = 2, .width = 4, .height = 2, .channels = 1},
                std::vector<uint8_t>(16 + 3, 0));
    word32(f, 512, 528);     // row 0 starts after the tables
    word32(f, 516, 100000);  // row 1: nowhere
    word32(f, 520, 3);
    word32(f, 524, 50);
    f[528] = 0x7F;  // a run of 127...
    f[529] = 9;
    f[530] = 0;
    const CImage image = Load(f, 0);
    ASSERT_TRUE(image.HasImage());
    uint8_t r, g, b;
    image.GetRGB(3, 0, r, g, b);
    EXPECT_EQ(r, 9);
    image.GetRGB(0, 1, r, g, b);
    EXPECT_EQ(r, 0) << "the row that is not there is black";
    EXPECT_EQ(image.RowsRead(), 1);
    // Tables longer than the file are refused outright.
    EXPECT_FALSE(Load(SgiFile({.storage = 1, .width = 2, .height = 200}, {1, 2, 3}), 0).HasImage());
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
    const SgiHeader refused[] = {
        {.storage = 2, .width = 2, .height = 2},   {.bytesPerChannel = 3, .width = 2, .height = 2},
        {.dimension = 4, .width = 2, .height = 2}, {.width = 2, .height = 2, .channels = 0},
        {.magic = 475, .width = 2, .height = 2},   {.width = 0, .height = 2},
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
