#include "PngJpegFiles.h"

namespace {

using JpegRead = ConvertFiles;
using JpegWrite = ConvertFiles;

// Unquantised, the levels are exactly those another decoder of the same file finds; a
// flipped or shifted picture cannot match.
TEST_F(JpegRead, GreyFileKeepsItsLevelsBehindAGreyRamp) {
    const std::string file = Make(Greys(TestPicture(40, 30)), "-type Grayscale", "grey.jpg");
    CImage image;
    ASSERT_EQ(image.Load(file), 1);
    EXPECT_EQ(image.BitsPerPixel(), 8);
    ASSERT_NE(image.GetPalette(), nullptr);
    ASSERT_EQ(image.GetPalette()->Count(), 256);
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = image.GetPalette()->Entries()[i];
        ASSERT_TRUE(e.red == i && e.green == i && e.blue == i) << i;
    }
    EXPECT_LE(Compare(PictureOf(image), Decode(file)).largest, 1);
}

TEST_F(JpegRead, FirstRowOfTheFileIsTheTopRow) {
    RgbPicture picture{16, 16, {}};
    for (int i = 0; i < 16 * 16; ++i) {
        const bool top = i < 8 * 16;
        picture.rgb.insert(picture.rgb.end(), {uint8_t(top ? 250 : 0), 0, uint8_t(top ? 0 : 250)});
    }
    CImage image(Make(picture, "-quality 95", "halves.jpg"), -1);
    uint8_t r = 0, g = 0, b = 0;
    ASSERT_EQ(image.GetRGB(3, 15, r, g, b), 1);
    EXPECT_TRUE(r > 200 && b < 50) << int(r) << " " << int(b);
    ASSERT_EQ(image.GetRGB(3, 0, r, g, b), 1);
    EXPECT_TRUE(r < 50 && b > 200) << int(r) << " " << int(b);
}

// Dithering moves single pixels by a few dozen levels; on average the picture stays close.
TEST_F(JpegRead, ColourFileIsQuantisedCloseToItsColours) {
    const std::string file = Make(Ramps(96, 64), "-quality 95", "colour.jpg");
    CImage image;
    ASSERT_EQ(image.Load(file), 1);
    EXPECT_EQ(image.BitsPerPixel(), 8);
    EXPECT_EQ(image.ColourType(), 3);
    ASSERT_NE(image.GetPalette(), nullptr);
    EXPECT_LE(image.GetPalette()->Count(), 128);
    const Difference d = Compare(PictureOf(image), Decode(file));
    EXPECT_LT(d.mean, 10);
    EXPECT_LT(d.largest, 64);
}

// Quantising inks as if they were red, green and blue would give wrong colours.
TEST_F(JpegRead, CmykFileIsRefused) {
    const std::string file = Make(Ramps(16, 8), "-colorspace CMYK", "cmyk.jpg");
    ASSERT_EQ(Describe(file, "%[colorspace]"), "CMYK");
    CImage image;
    EXPECT_EQ(image.Load(file), 0);
    EXPECT_FALSE(image.HasImage());
}

// Quality 30 keeps smooth colour within a few levels; another program finds the quality.
TEST_F(JpegWrite, ColourPictureDecodesCloseAtQuality30) {
    CImage image = ImageOf(Ramps(96, 64));
    ASSERT_EQ(image.SaveAs(dir.File("out.jpg")), 1);
    const Difference d = Compare(Decode(dir.File("out.jpg")), PictureOf(image));
    EXPECT_LT(d.mean, 4);
    EXPECT_LT(d.largest, 32);
    EXPECT_EQ(Describe(dir.File("out.jpg"), "%Q"), "30");
}

// Indices are written in full colour: through the palette, or as grey levels without one.
TEST_F(JpegWrite, IndexedPictureIsWrittenInFullColour) {
    const uint8_t triples[] = {240, 20, 20, 20, 200, 40, 30, 30, 230, 250, 250, 250};
    for (const bool withPalette : {true, false}) {
        SCOPED_TRACE(withPalette ? "palette" : "grey");
        CImage image;
        ASSERT_GT(image.Create(64, 48, 8, -1), 0);
        if (withPalette) image.SetPaletteTriples(4, triples);
        // Flat blocks as large as the colour sampling units.
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x) {
                image.SetIndex(x, y, (x / 16 + y / 16) % 4 * (withPalette ? 1 : 80));
            }
        }
        ASSERT_EQ(image.SaveAs(dir.File("out.jpg")), 1);
        // Saturated edges lose most at this quality; raw indices would be far off.
        EXPECT_LT(Compare(Decode(dir.File("out.jpg")), PictureOf(image)).mean, 8);
    }
}

}  // namespace
