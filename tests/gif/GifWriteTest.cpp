#include <gtest/gtest.h>

#include <filesystem>

#include "image/Image.h"
#include "ports/Messages.h"
#include "support/ExternalImage.h"
#include "support/FileBytes.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"

namespace {

// An indexed picture of the depth with a full palette (or none), smooth or noisy indices.
CImage IndexedImage(int width, int height, int depth, bool noise, bool palette = true) {
    CImage image;
    image.Create(width, height, depth, -1);
    const int count = 1 << depth;
    if (palette) {
        std::vector<uint8_t> triples;
        for (int i = 0; i < count; ++i) {
            triples.insert(triples.end(),
                           {static_cast<uint8_t>(i * 37), static_cast<uint8_t>(i * 11 + 5),
                            static_cast<uint8_t>(255 - i)});
        }
        image.SetPaletteTriples(count, triples.data());
    }
    uint32_t seed = 99;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            image.SetIndex(x, y, static_cast<int>(noise ? seed >> 24 : (x / 5 + y / 3)) % count);
        }
    }
    return image;
}

TEST(GifWrite, TwoByTwoFileLayout) {
    TempDir dir;
    CImage image;
    image.Create(2, 2, 8, -1);
    const uint8_t triples[] = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    image.SetPaletteTriples(3, triples);
    image.SetIndex(1, 1, 2);
    ASSERT_EQ(image.SaveAs(dir.File("a.gif")), 1);
    const std::vector<uint8_t> f = ReadFileBytes(dir.File("a.gif"));
    ASSERT_GT(f.size(), 800u);
    const std::vector<uint8_t> start = {'G', 'I', 'F', '8', '7', 'a', 2, 0, 2, 0, 0xE7, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(f.begin(), f.begin() + 13), start);
    EXPECT_TRUE(std::equal(std::begin(triples), std::end(triples), f.begin() + 13));
    EXPECT_TRUE(std::all_of(f.begin() + 22, f.begin() + 781, [](uint8_t v) { return v == 0; }))
        << "entries past the palette are black";
    const std::vector<uint8_t> descriptor = {',', 0, 0, 0, 0, 2, 0, 2, 0, 0, 8};
    EXPECT_EQ(std::vector<uint8_t>(f.begin() + 781, f.begin() + 792), descriptor);
    EXPECT_EQ(f[f.size() - 2], 0);
    EXPECT_EQ(f.back(), ';');

    CImage back(dir.File("a.gif"), -1);
    EXPECT_EQ(back.GetIndex(1, 1), 2);
    EXPECT_EQ(back.GetIndex(1, 0), 0);
}

TEST(GifWrite, ConvertReadsOurFilesPixelExact) {
    REQUIRE_CONVERT();
    struct Case {
        const char* name;
        CImage image;
    };
    Case cases[] = {
        // 30000 noisy pixels fill the 4096-code table several times over: clear codes.
        {"table refills", IndexedImage(200, 150, 8, true)},
        {"smooth", IndexedImage(123, 45, 8, false)},
        {"4-bit", IndexedImage(37, 21, 4, true)},
        {"grey without palette", IndexedImage(64, 9, 8, false, false)},
    };
    TempDir dir;
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.image.SaveAs(dir.File("ours.gif")), 1);
        ASSERT_TRUE(RunConvert(dir.File("ours.gif") + " " + dir.File("theirs.ppm")));
        RgbPicture theirs;
        ASSERT_TRUE(ReadPpm(dir.File("theirs.ppm"), theirs));
        EXPECT_TRUE(theirs == PictureOf(c.image));

        CImage back(dir.File("ours.gif"), -1);
        EXPECT_TRUE(PictureOf(back) == PictureOf(c.image));
    }
}

TEST(GifWrite, FailuresAreReportedAndAnswerZero) {
    TempDir dir;
    CImage colour;
    colour.Create(4, 4, 24, -1);
    EXPECT_EQ(colour.SaveAs(dir.File("c.gif")), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("c.gif")));
    EXPECT_EQ(colour.Problems(), std::vector<std::string>{"GIF Images must be 8 bit or less"});

    CImage indexed = IndexedImage(300, 300, 8, true);
    EXPECT_EQ(indexed.SaveAs(dir.File("missing/i.gif")), 0);
    EXPECT_EQ(indexed.Problems(), std::vector<std::string>{"Can't open GIF for writing"});
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(indexed.SaveAs("/dev/full", kTypeGif), 0) << "a full disk is a failure";
        EXPECT_EQ(indexed.Problems(), std::vector<std::string>{"Write Error in GIF file"});
    }
    ASSERT_EQ(indexed.SaveAs(dir.File("i.gif")), 1);
    EXPECT_TRUE(indexed.Problems().empty()) << "a new write starts a new list";
}

}  // namespace
