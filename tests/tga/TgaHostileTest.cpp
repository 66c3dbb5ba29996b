#include <gtest/gtest.h>

#include <random>

#include "TgaTestFiles.h"

namespace {

using Colour = std::tuple<int, int, int>;
const std::string kData = std::string(MOSA_TEST_DATA) + "/tga/";

TEST(TgaHostile, TruncatedPlainFileKeepsWhatArrivedAndLeavesTheRestBlack) {
    TempDir dir;
    TgaFile full(2, 24, 4, 3);
    for (int i = 0; i < 12; ++i) full.Add({i + 1, 100, 200});
    for (size_t length = 0; length < full.bytes.size(); ++length) {
        SCOPED_TRACE(length);
        TgaFile cut = full;
        cut.bytes.resize(length);
        CImage image;
        const int answer = image.Load(cut.Save(dir), -1);
        ASSERT_EQ(answer, length >= 18 ? 1 : 0);
        if (!answer) continue;
        const int whole = static_cast<int>(length - 18) / 3;  // pixels, bottom row first
        for (int i = 0; i < 12; ++i) {
            const Colour expected = i < whole ? Colour(200, 100, i + 1) : Colour(0, 0, 0);
            ASSERT_EQ(Rgb(image, i % 4, i / 4), expected) << "pixel " << i;
        }
    }
}

TEST(TgaHostile, TruncatedFilesOfOtherProgramGiveTheirPixelsOrBlack) {
    TempDir dir;
    for (const char* name : {"t10-24.tga", "t9-8-top.tga", "t10-32.tga", "t2-16.tga"}) {
        const std::vector<uint8_t> bytes = ReadFileBytes(kData + name);
        const CImage whole(kData + name, -1);
        ASSERT_TRUE(whole.HasImage()) << name;
        for (size_t length = 18; length < bytes.size(); ++length) {
            WriteFileBytes(dir.File("cut.tga"), {bytes.begin(), bytes.begin() + length});
            const CImage image(dir.File("cut.tga"), -1);
            ASSERT_TRUE(image.HasImage()) << name << " " << length;
            for (int y = 0; y < image.Height(); ++y) {
                for (int x = 0; x < image.Width(); ++x) {
                    const Colour c = Rgb(image, x, y);
                    ASSERT_TRUE(c == Rgb(whole, x, y) || c == Colour(0, 0, 0))
                        << name << " " << length << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(TgaHostile, SizesThePixelsDoNotFill) {
    TempDir dir;
    CImage image(TgaFile(2, 24, 3000, 2000).Add({1, 2, 3}).Save(dir), -1);
    ASSERT_TRUE(image.HasImage());
    EXPECT_EQ(image.Width(), 3000);
    EXPECT_EQ(Rgb(image, 0, 0), Colour(3, 2, 1));
    EXPECT_EQ(Rgb(image, 2999, 1999), Colour(0, 0, 0));
}

TEST(TgaHostile, AbsurdSizesAreRefused) {
    TempDir dir;
    for (const auto& [width, height, bits] : {std::tuple{65535, 65535, 24},
                                              {65535, 65535, 32},
                                              {40000, 20000, 24},
                                              {0, 5, 24},
                                              {5, 0, 8}}) {
        CImage image;
        EXPECT_EQ(image.Load(TgaFile(10, bits, width, height).Add({0xFF, 1, 2, 3}).Save(dir), -1),
                  0);
        EXPECT_FALSE(image.HasImage()) << width << " x " << height;
    }
}

TEST(TgaHostile, IndicesOutsideTheMapAreBlack) {
    TempDir dir;
    // 16-bit indices 1, 256 (high byte first to count) and 65535 into a map of two entries.
    TgaFile file(1, 16, 3, 1);
    file.Map(0, 2, 24).Add({1, 1, 1, 2, 2, 2}).Add({1, 0, 0, 1, 0xFF, 0xFF});
    CImage image(file.Save(dir), -1);
    EXPECT_EQ(Rgb(image, 0, 0), Colour(2, 2, 2));
    EXPECT_EQ(Rgb(image, 1, 0), Colour(0, 0, 0));
    EXPECT_EQ(Rgb(image, 2, 0), Colour(0, 0, 0));
    TgaFile noMap(9, 8, 2, 1);
    noMap.Map(0, 0, 24).Add({0x81, 7});
    EXPECT_EQ(Rgb(CImage(noMap.Save(dir), -1), 1, 0), Colour(0, 0, 0));
}

TEST(TgaHostile, PacketsRunningPastThePicture) {
    TempDir dir;
    CImage run(TgaFile(10, 24, 2, 2).Add({0xFF, 1, 2, 3}).Save(dir), -1);
    EXPECT_EQ(Rgb(run, 1, 1), Colour(3, 2, 1));
    TgaFile raw(11, 8, 1, 1);
    raw.Add({0x7F});
    for (int i = 0; i < 128; ++i) raw.Add({i + 50});
    EXPECT_EQ(Rgb(CImage(raw.Save(dir), -1), 0, 0), Colour(50, 50, 50));
}

// Random damage to the header and pixels of real files: every load must end cleanly, and a
// picture it answers for has the size the header gives. Sizes stay as they are, to keep the
// pictures small.
TEST(TgaHostile, DamagedFilesNeverCrash) {
    TempDir dir;
    std::mt19937 random(20240607);
    for (const char* name :
         {"t10-24.tga", "t9-8-top.tga", "t10-32.tga", "t11-8.tga", "t2-16.tga"}) {
        const std::vector<uint8_t> original = ReadFileBytes(kData + name);
        for (int round = 0; round < 400; ++round) {
            std::vector<uint8_t> bytes = original;
            for (int n = 1 + round % 4; n > 0; --n) {
                const size_t at = random() % bytes.size();
                if (at < 12 || at > 15) bytes[at] = static_cast<uint8_t>(random());
            }
            if (round % 5 == 0) bytes.resize(random() % bytes.size());
            WriteFileBytes(dir.File("d.tga"), bytes);
            CImage image;
            if (image.Load(dir.File("d.tga"), -1) != 1) continue;
            ASSERT_TRUE(image.HasImage());
            EXPECT_EQ(image.Width(), bytes[12] | bytes[13] << 8);
            EXPECT_EQ(image.Height(), bytes[14] | bytes[15] << 8);
        }
    }
}

}  // namespace
