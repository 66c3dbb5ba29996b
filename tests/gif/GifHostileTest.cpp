#include <gtest/gtest.h>

#include <algorithm>

#include "image/Image.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

// Hand-made GIF files: each code written at the width a decoder must read it with, so the
// expected pixels follow from the codes alone.
struct Code {
    int value;
    int width;
};

// Codes least-significant bit first, cut into data sub-blocks, closed by a zero block.
std::vector<uint8_t> PackCodes(const std::vector<Code>& codes) {
    std::vector<uint8_t> bytes;
    uint32_t bits = 0;
    int count = 0;
    for (const Code& c : codes) {
        bits |= static_cast<uint32_t>(c.value) << count;
        for (count += c.width; count >= 8; count -= 8, bits >>= 8) bytes.push_back(bits & 0xFF);
    }
    if (count > 0) bytes.push_back(bits & 0xFF);
    std::vector<uint8_t> blocks;
    for (size_t i = 0; i < bytes.size(); i += 255) {
        const size_t n = std::min<size_t>(255, bytes.size() - i);
        blocks.push_back(static_cast<uint8_t>(n));
        blocks.insert(blocks.end(), bytes.begin() + i, bytes.begin() + i + n);
    }
    blocks.push_back(0);
    return blocks;
}

void PutWord(std::vector<uint8_t>& bytes, int v) {
    bytes.push_back(static_cast<uint8_t>(v));
    bytes.push_back(static_cast<uint8_t>(v >> 8));
}

// A GIF89a with one image of width x height behind a global table of 2^tableBits entries,
// entry i = (i, 2i, 255 - i); imageFlags as in the image descriptor.
std::vector<uint8_t> OneImageGif(int width, int height, int codeSize,
                                 const std::vector<uint8_t>& data, int tableBits = 2,
                                 uint8_t imageFlags = 0) {
    std::vector<uint8_t> f = {'G', 'I', 'F', '8', '9', 'a'};
    PutWord(f, width);
    PutWord(f, height);
    f.insert(f.end(), {static_cast<uint8_t>(0x80 | (tableBits - 1)), 0, 0});
    for (int i = 0; i < (1 << tableBits); ++i) {
        f.insert(f.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(2 * i),
                           static_cast<uint8_t>(255 - i)});
    }
    f.push_back(',');
    for (int v : {0, 0, width, height}) PutWord(f, v);
    f.push_back(imageFlags);
    f.push_back(static_cast<uint8_t>(codeSize));
    f.insert(f.end(), data.begin(), data.end());
    f.push_back(';');
    return f;
}

// The palette indices of a picture, top row first.
std::vector<int> IndicesOf(const CImage& image) {
    std::vector<int> indices;
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) indices.push_back(image.GetIndex(x, y));
    }
    return indices;
}

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
