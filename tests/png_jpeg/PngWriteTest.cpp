#include "PngJpegFiles.h"

namespace {

using PngWrite = ConvertFiles;

// Five colours; indices 5 and 6 name no entry and read as black. Without a palette the
// indices are grey levels.
CImage IndexedPicture(int depth, bool withPalette) {
    CImage image;
    image.Create(21, 9, depth, -1);
    const uint8_t triples[] = {250, 0, 0, 0, 200, 10, 5, 6, 255, 90, 90, 90, 255, 255, 255};
    if (withPalette) image.SetPaletteTriples(5, triples);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 21; ++x) image.SetIndex(x, y, (x + 2 * y) % 7 * (withPalette ? 1 : 37));
    }
    return image;
}

// Every index the rows can hold gets a palette entry, black past the picture's palette.
TEST_F(PngWrite, EveryRowLayoutDecodesPixelExact) {
    struct Case {
        CImage image;
        int bitDepth, colourType;
        size_t paletteBytes;
    };
    Case cases[] = {{ImageOf(TestPicture(37, 23)), 8, 2, 0},
                    {IndexedPicture(8, true), 8, 3, 768},
                    {IndexedPicture(4, true), 4, 3, 48},
                    {IndexedPicture(8, false), 8, 0, 0}};
    for (Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bitDepth << " bits, colour type " << c.colourType);
        ASSERT_EQ(c.image.SaveAs(dir.File("out.png")), 1);
        const std::vector<PngChunk> chunks = PngChunks(dir.File("out.png"));
        EXPECT_EQ(BitDepthOf(chunks.at(0)), c.bitDepth);
        EXPECT_EQ(ColourTypeOf(chunks.at(0)), c.colourType);
        EXPECT_EQ(chunks.at(1).type == "PLTE" ? chunks.at(1).data.size() : 0, c.paletteBytes);
        EXPECT_EQ(Decode(dir.File("out.png")), PictureOf(c.image));
    }
}

// The file's colour type follows the rows, whatever colour type the picture carries: an alpha
// plane is not written, and a palette type without a palette leaves grey levels.
TEST_F(PngWrite, ColourTypeFollowsWhatTheRowsHold) {
    const RgbPicture colours = TestPicture(17, 5);
    ASSERT_TRUE(WritePam(dir.File("in.pam"), colours, std::vector<uint8_t>(17 * 5, 100)));
    CImage read(Make(dir.File("in.pam"), "-strip", "rgba.png", "PNG32:"), -1);
    ASSERT_TRUE(read.HasImage());
    CImage withAlpha, noPalette;
    withAlpha.Create(17, 5, 32, 6);
    noPalette.Create(17, 5, 8, 3);
    for (int x = 0; x < 17; ++x) {
        withAlpha.SetRGBA(x, 2, x * 15, 50, 99, 30);
        noPalette.SetIndex(x, 2, x * 15);
    }
    for (const auto& [image, colourType] :
         {std::pair<CImage*, int>{&read, 2}, {&withAlpha, 2}, {&noPalette, 0}}) {
        SCOPED_TRACE(colourType);
        ASSERT_EQ(image->SaveAs(dir.File("out.png")), 1);
        EXPECT_EQ(ColourTypeOf(PngChunks(dir.File("out.png")).at(0)), colourType);
        EXPECT_EQ(Decode(dir.File("out.png")), PictureOf(*image));
    }
}

}  // namespace
