#include <gtest/gtest.h>

#include <cmath>

#include "image/DibLayout.h"
#include "image/Image.h"
#include "util/ByteOrder.h"

namespace {

const uint8_t* Block(const CImage& image) {
    return image.GetImpl()->Dib();
}

TEST(ImageCreate, TrueColourLayout) {
    CImage image;
    EXPECT_EQ(image.Create(5, 3, 24, -1), 16);
    EXPECT_EQ(image.FileType(), kTypeBmp);
    EXPECT_EQ(image.RowBytes(), 16);
    EXPECT_EQ(image.ColourType(), 2);
    const uint8_t* header = Block(image);
    EXPECT_EQ(image.Bits() - header, 40);
    EXPECT_EQ(GetLE32(header + dib::kSize), 40u);
    EXPECT_EQ(GetLE32(header + dib::kWidth), 5u);
    EXPECT_EQ(GetLE32(header + dib::kHeight), 3u);
    EXPECT_EQ(GetLE16(header + dib::kPlanes), 1);
    EXPECT_EQ(GetLE16(header + dib::kBitCount), 24);
    EXPECT_EQ(GetLE32(header + dib::kImageSize), 48u);
    EXPECT_EQ(GetLE32(header + dib::kColoursUsed), 0u);
    EXPECT_EQ(image.GetImpl()->DibSize(), 1064u + 48u);
    for (int i = 0; i < 48; ++i) ASSERT_EQ(image.Bits()[i], 0) << "new pictures are black";
}

TEST(ImageCreate, IndexedLayoutHoldsStandardColoursSixteenTimes) {
    CImage image;
    EXPECT_EQ(image.Create(10, 2, 8, -1), 12);
    EXPECT_EQ(image.ColourType(), 0);
    const uint8_t* header = Block(image);
    EXPECT_EQ(GetLE32(header + dib::kColoursUsed), 256u);
    EXPECT_EQ(image.Bits() - header, 40 + 1024);
    for (int i = 0; i < 256; ++i) {
        const uint8_t* entry = header + 40 + 4 * i;
        const uint8_t* rgb = dib::kStandardColours[i % 16];
        ASSERT_EQ(entry[0], rgb[2]);
        ASSERT_EQ(entry[1], rgb[1]);
        ASSERT_EQ(entry[2], rgb[0]);
        ASSERT_EQ(entry[3], 0);
    }
    EXPECT_EQ(header[40 + 4 * 9 + 2], 255) << "entry 9 is pure red";
}

TEST(ImageCreate, DepthAboveTwentyFourAddsAlphaPlane) {
    CImage image;
    EXPECT_EQ(image.Create(7, 4, 32, -1), 24);
    EXPECT_EQ(image.BitsPerPixel(), 24);
    ASSERT_NE(image.AlphaBits(), nullptr);
    EXPECT_EQ(image.GetImpl()->AlphaRowBytes(), 8);
    EXPECT_TRUE(image.SetAlpha(6, 3, 77));
    EXPECT_EQ(image.AlphaBits()[3 * 8 + 6], 77);
    // A later create at 24 bits drops the plane, so it never mismatches the picture.
    image.Create(9, 9, 24, -1);
    EXPECT_EQ(image.AlphaBits(), nullptr);
}

TEST(ImageCreate, RefusesSizesBeyondLimits) {
    CImage image;
    EXPECT_EQ(image.Create(0, 10, 24, -1), 0);
    EXPECT_EQ(image.Create(10, -1, 24, -1), 0);
    EXPECT_EQ(image.Create(70000, 1, 24, -1), 0);
    EXPECT_EQ(image.Create(65535, 65535, 24, -1), 0) << "beyond the pixel-byte limit";
    EXPECT_EQ(image.Create(4, 4, 7, -1), 0);
    EXPECT_FALSE(image.HasImage());
    uint8_t r = 1, g = 2, b = 3;
    EXPECT_EQ(image.GetRGB(0, 0, r, g, b), 0) << "a failed create leaves nothing to address";
}

TEST(ImageAccess, TrueColourBytesAndBounds) {
    CImage image;
    image.Create(4, 3, 24, -1);
    EXPECT_EQ(image.SetRGB(0, 0, 10, 20, 30), 1);
    EXPECT_EQ(image.Bits()[0], 30);
    EXPECT_EQ(image.Bits()[1], 20);
    EXPECT_EQ(image.Bits()[2], 10);
    image.SetRGB(3, 2, 1, 2, 3);
    EXPECT_EQ(image.Bits()[2 * 12 + 9], 3) << "row 2 starts at 2 x rowBytes";

    uint8_t r = 0, g = 0, b = 0, a = 0;
    EXPECT_EQ(image.GetRGB(0, 0, r, g, b), 1);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(10, 20, 30));
    EXPECT_EQ(image.GetRGBA(0, 0, r, g, b, a), 0) << "no alpha plane";
    EXPECT_EQ(a, 255);
    EXPECT_EQ(r, 10);

    r = g = b = a = 99;
    for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}}) {
        EXPECT_EQ(image.GetRGB(x, y, r, g, b), 0);
        EXPECT_EQ(image.GetRGBA(x, y, r, g, b, a), 0);
        EXPECT_EQ(image.SetRGB(x, y, 1, 1, 1), 0);
        EXPECT_EQ(image.GetIndex(x, y), -1);
        EXPECT_EQ(image.GetAlpha(x, y), 0);
    }
    EXPECT_EQ(std::tie(r, g, b, a), std::make_tuple(99, 99, 99, 99)) << "outputs untouched";
    EXPECT_EQ(image.GetIndex(1, 1), -1);
    EXPECT_EQ(image.SetIndex(1, 1, 5), 0);
    EXPECT_EQ(image.SetAlpha(1, 1, 5), 0);
    EXPECT_EQ(image.SetRGBA(1, 1, 5, 5, 5, 5), 0) << "colour written, alpha plane missing";
}

TEST(ImageAccess, RgbaWithAlphaPlaneAndFill) {
    CImage image;
    image.Create(3, 2, 32, -1);
    EXPECT_EQ(image.Fill(1, 2, 3, 200), 2);
    uint8_t r, g, b, a;
    EXPECT_EQ(image.GetRGBA(2, 1, r, g, b, a), 1);
    EXPECT_EQ(std::tie(r, g, b, a), std::make_tuple(1, 2, 3, 200));
    EXPECT_EQ(image.SetRGBA(0, 0, 9, 8, 7, 6), 1);
    EXPECT_EQ(image.GetAlpha(0, 0), 6);

    CImage plain;
    plain.Create(3, 2, 24, -1);
    EXPECT_EQ(plain.Fill(5, 6, 7, 0), 0) << "no alpha plane: the answer is 0";
    EXPECT_EQ(plain.GetRGB(2, 1, r, g, b), 1);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(5, 6, 7));
}

// Worked example: x0 = 1 (its right neighbour clamps to itself), y0 = 0 with row 1 above.
TEST(ImageBilinear, TruncatesPerStepAndClampsRightColumn) {
    CImage image;
    image.Create(2, 2, 32, -1);
    image.SetRGBA(0, 0, 0, 0, 0, 0);
    image.SetRGBA(1, 0, 100, 7, 255, 10);
    image.SetRGBA(0, 1, 50, 50, 50, 50);
    image.SetRGBA(1, 1, 201, 0, 0, 251);
    uint8_t r, g, b, a;
    EXPECT_EQ(image.GetRGBABilinear(1.5, 0.25, r, g, b, a), 1);
    // left = right = trunc(0.25 * (P(1,1) - P(1,0)) + P(1,0)), then fx has no effect.
    EXPECT_EQ(r, static_cast<int>(0.25 * (201 - 100) + 100));  // 125
    EXPECT_EQ(g, static_cast<int>(0.25 * (0 - 7) + 7));        // 5 (trunc of 5.25)
    EXPECT_EQ(b, static_cast<int>(0.25 * (0 - 255) + 255));    // 191
    EXPECT_EQ(a, static_cast<int>(0.25 * (251 - 10) + 10));    // 70

    // Interior point: two truncations, first along y then along x.
    EXPECT_EQ(image.GetRGBBilinear(0.5, 0.5, r, g, b), 1);
    const int left = static_cast<int>(0.5 * 50);                  // 25
    const int right = static_cast<int>(0.5 * (201 - 100) + 100);  // 150
    EXPECT_EQ(r, static_cast<int>(0.5 * (right - left) + left));  // 87
    CImage opaque;
    opaque.Create(2, 2, 24, -1);
    EXPECT_EQ(opaque.GetRGBABilinear(0.5, 0.5, r, g, b, a), 1);
    EXPECT_EQ(a, 255);
}

TEST(ImageBilinear, PositionsPastTheEdgeReadTheEdge) {
    CImage image;
    image.Create(3, 2, 24, -1);
    image.SetRGB(2, 1, 40, 50, 60);
    uint8_t r, g, b;
    EXPECT_EQ(image.GetRGBBilinear(7.0, 9.0, r, g, b), 1);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(40, 50, 60));
    EXPECT_EQ(image.GetRGBBilinear(NAN, INFINITY, r, g, b), 1);
}

TEST(ImagePalette, ChannelsMakeGreyRampAndSwitchTableToIndexMode) {
    CImage image;
    image.Create(4, 1, 8, -1);
    uint8_t ramp[256];
    for (int i = 0; i < 256; ++i) ramp[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(image.SetPaletteChannels(256, ramp, nullptr, nullptr), 1);
    EXPECT_EQ(image.ColourType(), 3);
    const uint8_t* table = Block(image) + 40;
    for (int i = 0; i < 256; ++i) ASSERT_EQ(GetLE16(table + 2 * i), i);

    EXPECT_EQ(image.SetRGB(1, 0, 100, 104, 102), 1);
    EXPECT_EQ(image.GetIndex(1, 0), 102) << "nearest grey by squared distance";
    uint8_t r, g, b, a;
    EXPECT_EQ(image.GetRGBA(1, 0, r, g, b, a), 1);
    EXPECT_EQ(std::tie(r, g, b, a), std::make_tuple(102, 102, 102, 255));
}

TEST(ImagePalette, TriplesReplaceAndIndexOutsidePaletteFails) {
    CImage image;
    image.Create(2, 1, 8, -1);
    const uint8_t two[] = {255, 0, 0, 0, 0, 255};
    EXPECT_EQ(image.SetPaletteTriples(2, two), 1);
    image.SetRGB(0, 0, 200, 10, 10);
    image.SetRGB(1, 0, 0, 10, 200);
    EXPECT_EQ(image.GetIndex(0, 0), 0);
    EXPECT_EQ(image.GetIndex(1, 0), 1);
    image.SetIndex(1, 0, 7);
    uint8_t r, g, b;
    EXPECT_EQ(image.GetRGB(1, 0, r, g, b), 0) << "index 7 names no entry";
    const uint8_t one[] = {1, 2, 3};
    EXPECT_EQ(image.SetPaletteTriples(1, one), 1);
    EXPECT_EQ(image.GetPalette()->Count(), 1);
    EXPECT_EQ(image.SetPalette(nullptr), 0);
}

TEST(ImagePalette, ColourWriteWithoutPaletteOnIndexedPictureFails) {
    CImage image;
    image.Create(3, 1, 8, 3);  // colour type says palette, none installed
    EXPECT_EQ(image.SetRGB(0, 0, 1, 2, 3), 0);
    CImage grey;
    grey.Create(3, 1, 8, -1);
    EXPECT_EQ(grey.SetRGB(0, 0, 1, 2, 3), 0) << "three colour bytes would overrun the row";
    grey.SetIndex(2, 0, 77);
    uint8_t r, g, b;
    EXPECT_EQ(grey.GetRGB(2, 0, r, g, b), 1);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(77, 77, 77));
}

TEST(ImageIndex, SubBytePixelsKeepTheirNeighbours) {
    CImage image;
    image.Create(5, 2, 4, -1);
    for (int x = 0; x < 5; ++x) image.SetIndex(x, 1, x + 10);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(image.GetIndex(x, 1), x + 10);
    EXPECT_EQ(image.Bits()[image.RowBytes()], 0xAB) << "leftmost pixel in the high nibble";
    CImage mono;
    mono.Create(9, 1, 1, -1);
    mono.SetIndex(0, 0, 1);
    mono.SetIndex(8, 0, 1);
    EXPECT_EQ(mono.Bits()[0], 0x80);
    EXPECT_EQ(mono.Bits()[1], 0x80);
    EXPECT_EQ(mono.GetIndex(7, 0), 0);
    // The rows start after the two-entry table, so pixels and table never share bytes.
    EXPECT_EQ(mono.Bits() - Block(mono), 40 + 2 * 4);
    EXPECT_EQ(Block(mono)[40 + 4 + 2], 128) << "entry 1 still the standard dark red";
}

TEST(ImageFileTypes, ExtensionLookupAndFactory) {
    EXPECT_EQ(FileTypeOfName("a/b.BmP"), kTypeBmp);
    EXPECT_EQ(FileTypeOfName("x.tar.tga"), kTypeTga);
    EXPECT_EQ(FileTypeOfName("photo.jpg"), kTypeJpg);
    EXPECT_EQ(FileTypeOfName("photo.jpeg"), -1);
    EXPECT_EQ(FileTypeOfName("picture.pict"), -1);
    EXPECT_EQ(FileTypeOfName("s.rgb"), kTypeSgi);
    EXPECT_EQ(FileTypeOfName("m.pic"), kTypePict);
    EXPECT_EQ(FileTypeOfName("noextension"), -1);
    EXPECT_EQ(FileTypeOfName("endsindot."), -1);

    CImage image;
    EXPECT_EQ(image.SetFileType("x.xpm", kTypeXpm), 0);
    EXPECT_EQ(image.GetImpl(), nullptr);
    EXPECT_EQ(image.SetFileType("x", 42), 0);
    EXPECT_EQ(image.SetFileType("x.bmp", kTypeBmp), 1);
    EXPECT_FALSE(image.HasImage()) << "a new format object holds no pixels";
    EXPECT_EQ(image.GetImpl()->TransparentIndex(), -1);
}

TEST(ImageSave, UnknownTypeKeepsFormatObjectAndPixels) {
    CImage image;
    image.Create(2, 2, 24, -1);
    image.SetRGB(1, 1, 9, 8, 7);
    const CImageImpl* before = image.GetImpl();
    EXPECT_EQ(image.SaveAs("out.jpeg"), 0);
    EXPECT_EQ(image.GetImpl(), before);
    EXPECT_EQ(image.FileType(), kTypeBmp);
    uint8_t r, g, b;
    EXPECT_EQ(image.GetRGB(1, 1, r, g, b), 1);
    EXPECT_EQ(r, 9);
    CImage empty;
    EXPECT_EQ(empty.SaveAs("out.bmp"), 0);
}

TEST(ImageTakeOver, MovesEverythingAndLeavesSourceEmpty) {
    CImage image;
    image.Create(3, 3, 32, -1);
    image.SetRGBA(2, 2, 1, 2, 3, 4);
    CImageImpl target;
    target.TakeOver(*image.GetImpl());
    uint8_t r, g, b, a;
    EXPECT_EQ(target.GetRGBA(2, 2, r, g, b, a), 1);
    EXPECT_EQ(std::tie(r, g, b, a), std::make_tuple(1, 2, 3, 4));
    EXPECT_FALSE(image.HasImage());
    EXPECT_EQ(image.AlphaBits(), nullptr);
    EXPECT_EQ(image.InBounds(0, 0), 0);
}

}  // namespace
