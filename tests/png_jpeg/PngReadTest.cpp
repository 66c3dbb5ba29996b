#include <algorithm>

#include "PngJpegFiles.h"
#include "support/FileBytes.h"

namespace {

using PngRead = ConvertFiles;

PngChunk HeaderOf(const std::string& file) {
    return PngChunks(file).at(0);
}

// The colours over black, rounded as a blend should be.
RgbPicture OverBlack(RgbPicture picture, const std::vector<uint8_t>& alpha) {
    for (size_t i = 0; i < picture.rgb.size(); ++i) {
        picture.rgb[i] = static_cast<uint8_t>((picture.rgb[i] * alpha[i / 3] + 127) / 255);
    }
    return picture;
}

// Stripped files carry no gamma chunk, so the blend against black is a plain linear one.
// The picture's colour type names what its rows hold: the alpha is gone.
TEST_F(PngRead, AlphaIsCompositedAgainstBlack) {
    std::vector<uint8_t> alpha;
    for (int i = 0; i < 29 * 7; ++i) alpha.push_back(static_cast<uint8_t>(i * 41 % 256));
    struct Case {
        RgbPicture colours;
        const char *options, *prefix;
        int fileColourType, depth, colourType;
    };
    for (const Case& c :
         {Case{TestPicture(29, 7), "-strip", "PNG32:", 6, 24, 2},
          {Greys(TestPicture(29, 7)), "-strip -type GrayscaleAlpha", "", 4, 8, 0}}) {
        SCOPED_TRACE(c.options);
        ASSERT_TRUE(WritePam(dir.File("in.pam"), c.colours, alpha));
        const std::string file = Make(dir.File("in.pam"), c.options, "alpha.png", c.prefix);
        ASSERT_EQ(ColourTypeOf(HeaderOf(file)), c.fileColourType);
        CImage image;
        ASSERT_EQ(image.Load(file), 1);
        EXPECT_EQ(image.BitsPerPixel(), c.depth);
        EXPECT_EQ(image.ColourType(), c.colourType);
        EXPECT_EQ(image.AlphaBits(), nullptr);
        EXPECT_LE(Compare(PictureOf(image), OverBlack(c.colours, alpha)).largest, 1);
    }
}

// The low byte decides nothing: 0x12FF stays 0x12 rather than rounding up to 0x13.
TEST_F(PngRead, SixteenBitSamplesKeepTheirHighByte) {
    const RgbPicture high = TestPicture(13, 9);
    std::vector<uint16_t> samples;
    for (size_t i = 0; i < high.rgb.size(); ++i) {
        samples.push_back(
            static_cast<uint16_t>(high.rgb[i / 3 * 3] << 8 | (i / 3 % 2 ? 0xFF : 0x80)));
    }
    ASSERT_TRUE(WritePpm16(dir.File("in.ppm"), 13, 9, samples));
    for (const auto& [options, prefix, depth] :
         {std::tuple{"-strip", "PNG48:", 24}, {"-strip -define png:color-type=0", "", 8}}) {
        SCOPED_TRACE(options);
        const std::string file = Make(dir.File("in.ppm"), options, "deep.png", prefix);
        ASSERT_EQ(BitDepthOf(HeaderOf(file)), 16);
        CImage image;
        ASSERT_EQ(image.Load(file), 1);
        EXPECT_EQ(image.BitsPerPixel(), depth);
        EXPECT_EQ(PictureOf(image), Greys(high));
    }
}

TEST_F(PngRead, InterlacedFileEqualsItsPlainTwin) {
    for (const auto& [picture, prefix] :
         {std::pair{TestPicture(37, 23), "PNG24:"}, {FewColours(37, 23, 50), "PNG8:"}}) {
        SCOPED_TRACE(prefix);
        const std::string plain = Make(picture, "-strip -interlace none", "plain.png", prefix);
        const std::string interlaced = Make(picture, "-strip -interlace PNG", "adam7.png", prefix);
        ASSERT_EQ(HeaderOf(interlaced).data.at(12), 1);
        CImage a(plain, -1), b(interlaced, -1);
        ASSERT_TRUE(a.HasImage() && b.HasImage());
        EXPECT_EQ(PictureOf(a), picture);
        EXPECT_EQ(PictureOf(b), picture);
        EXPECT_EQ(b.BitsPerPixel(), a.BitsPerPixel());
    }
}

// Palette files of any depth come as one index per byte with the file's palette.
TEST_F(PngRead, PaletteFileKeepsItsPaletteAndIndices) {
    for (int bitDepth : {2, 4, 8}) {
        SCOPED_TRACE(bitDepth);
        const RgbPicture picture = FewColours(19, 11, bitDepth == 8 ? 70 : 1 << bitDepth);
        const std::string file = Make(
            picture,
            "-strip -define png:color-type=3 -define png:bit-depth=" + std::to_string(bitDepth),
            "palette.png");
        const std::vector<PngChunk> chunks = PngChunks(file);
        ASSERT_EQ(BitDepthOf(chunks.at(0)), bitDepth);
        ASSERT_EQ(chunks.at(1).type, "PLTE");
        CImage image;
        ASSERT_EQ(image.Load(file), 1);
        EXPECT_EQ(image.BitsPerPixel(), 8);
        EXPECT_EQ(image.ColourType(), 3);
        ASSERT_NE(image.GetPalette(), nullptr);
        EXPECT_EQ(image.GetPalette()->Count(), static_cast<int>(chunks.at(1).data.size() / 3));
        EXPECT_EQ(PictureOf(image), picture);
    }
}

TEST_F(PngRead, TransparentPaletteEntriesBecomeBlack) {
    const RgbPicture colours = FewColours(16, 6, 4);
    std::vector<uint8_t> alpha(16 * 6, 255);
    std::fill_n(alpha.begin(), 16, 0);  // the top row
    ASSERT_TRUE(WritePam(dir.File("in.pam"), colours, alpha));
    const std::vector<PngChunk> chunks =
        PngChunks(Make(dir.File("in.pam"), "-strip", "holes.png", "PNG8:"));
    ASSERT_TRUE(std::any_of(chunks.begin(), chunks.end(),
                            [](const PngChunk& c) { return c.type == "tRNS"; }));
    CImage image(dir.File("holes.png"), -1);
    EXPECT_EQ(image.BitsPerPixel(), 8);
    EXPECT_EQ(PictureOf(image), OverBlack(colours, alpha));
}

// Low-depth grey levels are stretched to 0-255, which the picture reads as grey.
TEST_F(PngRead, OneBitGreyReadsAsBlackAndWhite) {
    RgbPicture picture{23, 5, {}};
    for (int i = 0; i < 23 * 5; ++i) picture.rgb.insert(picture.rgb.end(), 3, i % 3 ? 255 : 0);
    const std::string file =
        Make(picture, "-strip -define png:color-type=0 -define png:bit-depth=1", "bw.png");
    ASSERT_EQ(BitDepthOf(HeaderOf(file)), 1);
    CImage image;
    ASSERT_EQ(image.Load(file), 1);
    EXPECT_EQ(image.BitsPerPixel(), 8);
    EXPECT_EQ(image.GetPalette(), nullptr);
    EXPECT_EQ(PictureOf(image), picture);
}

// A colour file may suggest a palette for displays with few colours; its pixels stay colours.
TEST_F(PngRead, SuggestedPaletteOfAColourFileIsIgnored) {
    const RgbPicture picture = TestPicture(9, 4);
    std::vector<PngChunk> chunks = PngChunks(Make(picture, "-strip", "colour.png", "PNG24:"));
    chunks.insert(chunks.begin() + 1, PngChunk{"PLTE", {1, 2, 3, 4, 5, 6}});
    WriteFileBytes(dir.File("suggested.png"), PngFile(chunks));
    CImage image;
    ASSERT_EQ(image.Load(dir.File("suggested.png")), 1);
    EXPECT_EQ(image.BitsPerPixel(), 24);
    EXPECT_EQ(image.GetPalette(), nullptr);
    EXPECT_EQ(PictureOf(image), picture);
}

}  // namespace
