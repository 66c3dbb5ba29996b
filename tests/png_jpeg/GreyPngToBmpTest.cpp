#include "PngJpegFiles.h"

namespace {

// Grey PNGs of every bit depth, loaded and saved as BMP: the BMP must show the same grey
// levels to another program and to our own reader. Half of each alpha variant is fully
// transparent, which the reader composites to black.
class GreyPngToBmp : public ConvertFiles {
  protected:
    void SetUp() override {
        ConvertFiles::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // Eight-bit levels, so that 16-bit files hold them exactly (v × 257) and stripping
        // them to 8 bits is no rounding question.
        ramp = dir.File("ramp.pgm");
        ASSERT_TRUE(RunConvert("-size 8x64 gradient:black-white -rotate -90 -depth 8 " + ramp));
    }
    // The PNG's levels as the other program decodes them, over black where transparent.
    RgbPicture Expected(const std::string& png) {
        EXPECT_TRUE(RunConvert(png + " -background black -alpha remove -depth 8 " +
                               dir.File("expected.ppm")));
        RgbPicture picture;
        EXPECT_TRUE(ReadPpm(dir.File("expected.ppm"), picture));
        return picture;
    }
    std::string ramp;
};

TEST_F(GreyPngToBmp, KeepsTheGreyLevelsOfEveryDepth) {
    const std::string halfTransparent =
        "\\( +clone -fx 'i<32?1:0' \\) -compose CopyOpacity -composite";
    struct Case {
        std::string name, options;
    };
    const std::vector<Case> cases = {
        {"g1.png", "-define png:color-type=0 -define png:bit-depth=1"},
        {"g2.png", "-define png:color-type=0 -define png:bit-depth=2"},
        {"g4.png", "-define png:color-type=0 -define png:bit-depth=4"},
        {"g8.png", "-define png:color-type=0 -define png:bit-depth=8"},
        {"g16.png", "-depth 16 -define png:color-type=0 -define png:bit-depth=16"},
        {"ga8.png", halfTransparent + " -define png:color-type=4 -define png:bit-depth=8"},
        {"ga16.png",
         "-depth 16 " + halfTransparent + " -define png:color-type=4 -define png:bit-depth=16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string png = Make(ramp, c.options, c.name);
        const RgbPicture expected = Expected(png);
        ASSERT_EQ(expected.width, 64);

        CImage image(png, -1);
        ASSERT_TRUE(image.HasImage());
        ASSERT_LE(image.BitsPerPixel(), 8) << "a grey picture without palette";
        ASSERT_EQ(image.GetPalette(), nullptr);
        const std::string bmp = dir.File(c.name + ".bmp");
        ASSERT_EQ(image.SaveAs(bmp), 1);

        EXPECT_EQ(Decode(bmp), expected) << "as another program shows the BMP";
        EXPECT_EQ(PictureOf(CImage(bmp, -1)), expected) << "as our reader gives it back";
    }
}

// Pictures of fewer bits that no reader makes still get a table of their own levels (BMP
// has no 2-bit rows that other programs read).
TEST_F(GreyPngToBmp, LowDepthPictureWithoutPaletteWritesItsLevels) {
    for (int depth : {1, 4}) {
        SCOPED_TRACE(depth);
        CImage image;
        ASSERT_GT(image.Create(4, 1, depth, -1), 0);
        const int brightest = (1 << depth) - 1;
        for (int x = 0; x < 4; ++x) image.SetIndex(x, 0, x * brightest / 3);
        const std::string bmp = dir.File("low.bmp");
        ASSERT_EQ(image.SaveAs(bmp), 1);
        // Filled by index: GCC 12 at -O3 misreads an insert of a braced list here.
        RgbPicture expected{4, 1, std::vector<uint8_t>(4 * 3)};
        for (int x = 0; x < 4; ++x) {
            const auto level = static_cast<uint8_t>(x * brightest / 3 * 255 / brightest);
            for (int c = 0; c < 3; ++c) expected.rgb[x * 3 + c] = level;
        }
        EXPECT_EQ(Decode(bmp), expected);
        EXPECT_EQ(PictureOf(CImage(bmp, -1)), expected);
    }
}

}  // namespace
