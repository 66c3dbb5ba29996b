#include <gtest/gtest.h>

#include "gif/GifBytes.h"
#include "image/Image.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

class HostileGif : public ::testing::Test {
protected:
    CImage Load(const std::vector<uint8_t>& bytes, int expectedAnswer = 1) {
        WriteFileBytes(dir.File("x.gif"), bytes);
        CImage image;
        EXPECT_EQ(image.Load(dir.File("x.gif")), expectedAnswer);
        return image;
    }
    static bool AllZero(const CImage& image) {
        const std::vector<int> indices = IndicesOf(image);
        return std::all_of(indices.begin(), indices.end(), [](int i) { return i == 0; });
    }
    TempDir dir;
};

// Clear, then 1, "1 1", "1 1 1" (slot 8 next, so 4-bit codes), then code 9 beyond the
// table: decoded as the previous string plus its first pixel.
const std::vector<Code> kOnes = {{4, 3}, {1, 3}, {6, 3}, {7, 3}, {9, 4}};

TEST_F(HostileGif, DataWithoutLeadingClearDecodesAlike) {
    // Clear, 1, "1 1" (the code being defined), 0; 4-bit codes from slot 8 on.
    const auto withClear = PackCodes({{4, 3}, {1, 3}, {6, 3}, {0, 3}, {5, 4}});
    const auto without = PackCodes({{1, 3}, {6, 3}, {0, 3}, {5, 4}});
    const std::vector<int> expected = {1, 1, 1, 0};
    EXPECT_EQ(IndicesOf(Load(OneImageGif(2, 2, 2, withClear))), expected);
    EXPECT_EQ(IndicesOf(Load(OneImageGif(2, 2, 2, without))), expected);
}

TEST_F(HostileGif, CodeSizeOutsideTwoToNineDecodesNothing) {
    for (int size : {0, 1, 10, 255}) {
        SCOPED_TRACE(size);
        const CImage image = Load(OneImageGif(3, 2, size, PackCodes({{7, 3}, {7, 3}})));
        ASSERT_TRUE(image.HasImage());
        EXPECT_TRUE(AllZero(image));
    }
}

TEST_F(HostileGif, CodeBeyondTableDecodesAsNextSlot) {
    std::vector<Code> codes = kOnes;
    codes.push_back({5, 4});
    EXPECT_EQ(IndicesOf(Load(OneImageGif(5, 2, 2, PackCodes(codes)))), std::vector<int>(10, 1));
}

TEST_F(HostileGif, SelfReferringTableEntryEndsDecoding) {
    // After the bad code 9 the previous code is 9, so the next entry (slot 9) names itself
    // as prefix; code 9 then has no end. Decoding stops with the 11 pixels before it.
    std::vector<Code> codes = kOnes;
    codes.insert(codes.end(), {{0, 4}, {9, 4}, {2, 4}, {5, 4}});
    const std::vector<int> indices = IndicesOf(Load(OneImageGif(16, 1, 2, PackCodes(codes))));
    std::vector<int> expected(16, 0);
    std::fill(expected.begin(), expected.begin() + 10, 1);
    EXPECT_EQ(indices, expected);
}

TEST_F(HostileGif, MorePixelsThanPictureAreDropped) {
    // 10 + 4 x 3 pixels of 1 for a picture of 3 x 2, plain and interlaced.
    std::vector<Code> codes = kOnes;
    for (int i = 0; i < 4; ++i) codes.push_back({7, 4});
    codes.push_back({5, 4});
    for (uint8_t flags : {0x00, 0x40}) {
        EXPECT_EQ(IndicesOf(Load(OneImageGif(3, 2, 2, PackCodes(codes), 2, flags))),
                  std::vector<int>(6, 1));
    }
}

TEST_F(HostileGif, FewerPixelsThanPictureLeaveZeroRows) {
    const CImage image = Load(OneImageGif(4, 3, 2, PackCodes({{4, 3}, {1, 3}, {6, 3}, {5, 3}})));
    std::vector<int> expected(12, 0);
    std::fill(expected.begin(), expected.begin() + 3, 1);
    EXPECT_EQ(IndicesOf(image), expected) << "the partial first line is kept";
}

TEST_F(HostileGif, RefusedSizesLeaveNoImage) {
    for (auto [width, height] : {std::pair{0, 10}, {10, 0}, {65535, 65535}}) {
        const CImage image = Load(OneImageGif(width, height, 2, PackCodes({{4, 3}, {5, 3}})));
        EXPECT_FALSE(image.HasImage()) << width << " x " << height;
    }
}

TEST_F(HostileGif, MalformedBlocksStopReading) {
    std::vector<uint8_t> f = OneImageGif(2, 1, 2, PackCodes({{4, 3}, {1, 3}, {2, 3}, {5, 3}}));
    // A graphic control block of the wrong size stops before the image.
    std::vector<uint8_t> badControl = f;
    const uint8_t control[] = {0x21, 0xF9, 5, 1, 0, 0, 1, 0, 0};
    badControl.insert(badControl.begin() + 25, std::begin(control), std::end(control));
    EXPECT_FALSE(Load(badControl).HasImage());
    // An extension whose sub-blocks run past the end of the file.
    std::vector<uint8_t> endless(f.begin(), f.begin() + 25);
    endless.insert(endless.end(), {0x21, 0xFE, 200, 'x'});
    EXPECT_FALSE(Load(endless).HasImage());

    EXPECT_FALSE(Load({'G', 'I', 'F', '8', '9', 'a', 2, 0}, 0).HasImage()) << "short header";
    f[3] = '7';
    EXPECT_FALSE(Load(f, 0).HasImage()) << "signature";
}

TEST_F(HostileGif, TruncatedAndCorruptedFilesReadSafely) {
    // Our own file of a smooth picture (long strings), marked interlaced, cut at every
    // length and with bytes of its data flipped.
    CImage source;
    source.Create(30, 30, 8, -1);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) source.SetIndex(x, y, (x / 7) * 16 + y / 5);
    }
    ASSERT_EQ(source.SaveAs(dir.File("s.gif")), 1);
    std::vector<uint8_t> f = ReadFileBytes(dir.File("s.gif"));
    const size_t data = 13 + 768 + 10;
    ASSERT_GT(f.size(), data);
    f[data - 1] |= 0x40;
    for (size_t length = 0; length <= f.size(); ++length) {
        Load(std::vector<uint8_t>(f.begin(), f.begin() + length), length >= 13 ? 1 : 0);
    }
    uint32_t seed = 7;
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<uint8_t> bad = f;
        for (int k = 0; k < 3; ++k) {
            seed = seed * 1664525u + 1013904223u;
            bad[data + (seed >> 8) % (bad.size() - data)] ^= static_cast<uint8_t>(seed >> 24 | 1);
        }
        Load(bad);
    }
}

}  // namespace
