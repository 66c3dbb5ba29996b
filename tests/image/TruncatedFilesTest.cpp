#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/Image.h"
#include "support/FileBytes.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"

namespace {

// A picture whose every row has its own colours, none of them black, so that a row the file
// did not hold is told apart from one it did. Palette entry 0, which missing indices name,
// is the only black one.
CImage RowColours(int width, int height, int depth) {
    CImage image;
    image.Create(width, height, depth, -1);
    if (depth == 8) {
        std::vector<uint8_t> reds(256), greens(256), blues(256);
        for (int i = 1; i < 256; ++i) {
            reds[i] = static_cast<uint8_t>(i);
            greens[i] = static_cast<uint8_t>(255 - i);
            blues[i] = 77;
        }
        image.SetPaletteChannels(256, reds.data(), greens.data(), blues.data());
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (depth == 8) {
                image.SetIndex(x, y, 1 + (y * 7 + x) % 255);
            } else {
                image.SetRGB(x, y, 1 + (y * 5) % 250, 1 + x % 250, 200);
            }
        }
    }
    return image;
}

bool RowsEqual(const CImage& a, const CImage& b, int y) {
    for (int x = 0; x < a.Width(); ++x) {
        uint8_t r1 = 0, g1 = 0, b1 = 0, r2 = 0, g2 = 0, b2 = 0;
        a.GetRGB(x, y, r1, g1, b1);
        b.GetRGB(x, y, r2, g2, b2);
        if (r1 != r2 || g1 != g2 || b1 != b2) return false;
    }
    return true;
}

bool RowBlack(const CImage& image, int y) {
    for (int x = 0; x < image.Width(); ++x) {
        uint8_t r = 1, g = 1, b = 1;
        image.GetRGB(x, y, r, g, b);
        if (r || g || b) return false;
    }
    return true;
}

struct Format {
    std::string name;
    int depth;
    size_t headerBytes;  // before the pixel data
};

// Written by our own writers, then cut: the rows before the cut come back as they were, the
// rest black, and the picture says how many rows its file held.
TEST(TruncatedFiles, CutAtATenthLoadWithMissingRowsBlackAndSaySo) {
    TempDir dir;
    const int width = 40, height = 50;
    for (const Format& format : {Format{"a.bmp", 24, 54}, Format{"p.bmp", 8, 1078},
                                 Format{"a.tga", 24, 18}, Format{"p.gif", 8, 13 + 768 + 10 + 1}}) {
        SCOPED_TRACE(format.name);
        CImage original = RowColours(width, height, format.depth);
        ASSERT_EQ(original.SaveAs(dir.File(format.name)), 1);
        const CImage whole(dir.File(format.name), -1);
        ASSERT_TRUE(whole.HasImage());
        EXPECT_EQ(whole.RowsRead(), height);
        EXPECT_EQ(whole.RowsDeclared(), height);
        EXPECT_FALSE(whole.Truncated());

        const std::vector<uint8_t> bytes = ReadFileBytes(dir.File(format.name));
        const size_t cut = format.headerBytes + (bytes.size() - format.headerBytes) / 10;
        WriteFileBytes(dir.File("cut-" + format.name), {bytes.begin(), bytes.begin() + cut});
        const CImage image(dir.File("cut-" + format.name), -1);
        ASSERT_TRUE(image.HasImage());
        EXPECT_EQ(image.Width(), width);
        EXPECT_EQ(image.RowsDeclared(), height);
        EXPECT_TRUE(image.Truncated());
        EXPECT_GE(image.RowsRead(), height / 10 - 2);
        EXPECT_LE(image.RowsRead(), height / 10 + 1);
        int same = 0, black = 0;
        for (int y = 0; y < height; ++y) {
            same += RowsEqual(image, original, y);
            black += RowBlack(image, y);
        }
        EXPECT_EQ(same, image.RowsRead()) << "every row the file held in full, and no other";
        EXPECT_GE(same + black, height - 1) << "at most one row partly there";
    }
}

// Planes of red, then green, then blue: a row is whole once its blue came.
TEST(TruncatedFiles, SgiRowsCountOnceTheirLastPlaneCame) {
    TempDir dir;
    const int width = 10, height = 8;
    std::vector<uint8_t> f(512, 0);
    f[0] = 474 >> 8;
    f[1] = 474 & 0xFF;
    f[3] = 1;
    f[5] = 3;
    f[7] = width;
    f[9] = height;
    f[11] = 3;
    f.resize(512 + 2 * width * height + 3 * width + 4, 90);  // blue: three rows and a bit
    WriteFileBytes(dir.File("x.rgb"), f);
    const CImage image(dir.File("x.rgb"), -1);
    ASSERT_TRUE(image.HasImage());
    EXPECT_EQ(image.RowsRead(), 3);
    EXPECT_EQ(image.RowsDeclared(), height);
}

// Past the allowance every picture has, a file must hold a fair share of its picture: a
// large real file cut at a tenth still loads, one with a hundredth of its data does not.
TEST(TruncatedFiles, LargePictureLoadsFromATenthButNotFromAHundredth) {
    TempDir dir;
    std::vector<std::string> problems;
    const int side = 4200;  // above the 4096 x 4096 any file may declare
    CImage original;
    ASSERT_GT(original.Create(side, side, 24, -1), 0);
    for (int y = 0; y < side; ++y) {
        uint8_t* row = original.Bits() + static_cast<size_t>(y) * original.RowBytes();
        for (int x = 0; x < side; ++x, row += 3) {
            row[0] = static_cast<uint8_t>(1 + y % 200);
            row[1] = static_cast<uint8_t>(1 + x / 64);
            row[2] = 9;
        }
    }
    ASSERT_EQ(original.SaveAs(dir.File("big.tga")), 1);
    const std::vector<uint8_t> bytes = ReadFileBytes(dir.File("big.tga"));
    for (const auto& [share, loads] : {std::pair{10, true}, {100, false}}) {
        SCOPED_TRACE(share);
        WriteFileBytes(dir.File("cut.tga"),
                       {bytes.begin(), bytes.begin() + 18 + (bytes.size() - 18) / share});
        const CImage image(dir.File("cut.tga"), -1);
        problems.insert(problems.end(), image.Problems().begin(), image.Problems().end());
        ASSERT_EQ(image.HasImage(), loads);
        if (!loads) continue;
        EXPECT_TRUE(image.Truncated());
        EXPECT_NEAR(image.RowsRead(), side / share, 2);
        EXPECT_TRUE(RowsEqual(image, original, image.RowsRead() - 1));
        EXPECT_TRUE(RowBlack(image, image.RowsRead() + 1));
    }
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "Targa file too short for its 4200 x 4200 image");
}

// A run-length packet repeats one pixel at most 128 times for a header byte and the pixel's
// bytes: 4 bytes of 24-bit data stand for 128 pixels, and a file may be cut to a sixteenth
// of what its picture needs.
TEST(TruncatedFiles, RunLengthDataStandsForAtMost128PixelsAPacket) {
    TempDir dir;
    std::vector<std::string> problems;
    const int width = 4097, height = 4096;
    const int packetsNeeded = (width * height + 16 * 128 - 1) / (16 * 128);  // 8193
    for (const int packets : {packetsNeeded, packetsNeeded - 1}) {
        SCOPED_TRACE(packets);
        std::vector<uint8_t> f(18, 0);
        f[2] = 10;
        f[12] = width & 0xFF;
        f[13] = width >> 8;
        f[14] = height & 0xFF;
        f[15] = height >> 8;
        f[16] = 24;
        for (int i = 0; i < packets; ++i) f.insert(f.end(), {0xFF, 10, 20, 30});
        WriteFileBytes(dir.File("runs.tga"), f);
        const CImage image(dir.File("runs.tga"), -1);
        problems.insert(problems.end(), image.Problems().begin(), image.Problems().end());
        ASSERT_EQ(image.HasImage(), packets == packetsNeeded);
        if (!image.HasImage()) continue;
        uint8_t r = 0, g = 0, b = 0;
        image.GetRGB(width - 1, packets * 128 / width - 1, r, g, b);
        EXPECT_EQ(std::tie(r, g, b), std::make_tuple(30, 20, 10));
        EXPECT_EQ(image.RowsRead(), packets * 128 / width);
    }
    EXPECT_EQ(problems, std::vector<std::string>{"Targa file too short for its 4097 x 4096 image"});
}

}  // namespace
