#include <gtest/gtest.h>

#include <filesystem>

#include "TgaTestFiles.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kFooter = {0,   0,   0,   0,   0,   0,   0,   0,   'T', 'R', 'U', 'E', 'V',
                       'I', 'S', 'I', 'O', 'N', '-', 'X', 'F', 'I', 'L', 'E', '.', 0};

// The bytes between the header and the footer of the picture written as TGA.
Bytes PacketsOf(CImage& image, const TempDir& dir, int pixelSize = 24) {
    EXPECT_EQ(image.SaveAs(dir.File("w.tga"), -1), 1);
    const Bytes file = ReadFileBytes(dir.File("w.tga"));
    if (file.size() < 18 + kFooter.size()) return {};
    const Bytes header = {0,
                          0,
                          10,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          static_cast<uint8_t>(image.Width()),
                          static_cast<uint8_t>(image.Width() >> 8),
                          static_cast<uint8_t>(image.Height()),
                          static_cast<uint8_t>(image.Height() >> 8),
                          static_cast<uint8_t>(pixelSize),
                          0};
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 18), header);
    EXPECT_EQ(Bytes(file.end() - kFooter.size(), file.end()), kFooter);
    return Bytes(file.begin() + 18, file.end() - kFooter.size());
}

CImage Row(std::initializer_list<int> greys) {
    CImage image;
    image.Create(static_cast<int>(greys.size()), 1, 24, -1);
    int x = 0;
    for (int g : greys) image.SetRGB(x++, 0, g, g + 1, g + 2);
    return image;
}

TEST(TgaWrite, PacketsOfShortRows) {
    TempDir dir;
    struct Case {
        CImage image;
        Bytes packets;
    } cases[] = {
        {Row({5, 5, 5, 5, 5}), {0x84, 7, 6, 5}},
        {Row({1, 4, 7}), {0x02, 3, 2, 1, 6, 5, 4, 9, 8, 7}},
        {Row({1, 4, 4}), {0x00, 3, 2, 1, 0x81, 6, 5, 4}},
        {Row({1, 1, 4, 7, 7}), {0x81, 3, 2, 1, 0x00, 6, 5, 4, 0x81, 9, 8, 7}},
        {Row({1}), {0x00, 3, 2, 1}},
    };
    for (Case& c : cases) EXPECT_EQ(PacketsOf(c.image, dir), c.packets);
}

TEST(TgaWrite, PacketsHoldAtMostOneHundredTwentyEightPixelsAndNeverCrossRows) {
    TempDir dir;
    CImage image;
    image.Create(130, 2, 24, -1);
    for (int x = 0; x < 130; ++x) {
        image.SetRGB(x, 0, 0, 0, 9);
        image.SetRGB(x, 1, 0, 0, x);
    }
    const Bytes packets = PacketsOf(image, dir);
    Bytes expected = {0xFF, 9, 0, 0, 0x81, 9, 0, 0, 0x7F};
    for (int x = 0; x < 130; ++x) {
        if (x == 128) expected.push_back(0x01);
        expected.insert(expected.end(), {static_cast<uint8_t>(x), 0, 0});
    }
    EXPECT_EQ(packets, expected);
}

TEST(TgaWrite, AlphaPlaneGivesThirtyTwoBitPixels) {
    TempDir dir;
    CImage image = Row({1, 1, 1});
    image.AllocAlpha();
    image.SetAlpha(0, 0, 50);
    image.SetAlpha(1, 0, 60);
    image.SetAlpha(2, 0, 60);
    // Equal colours with different alpha are different pixels.
    EXPECT_EQ(PacketsOf(image, dir, 32), (Bytes{0x00, 3, 2, 1, 50, 0x81, 3, 2, 1, 60}));
}

TEST(TgaWrite, PalettePicturesAreWrittenInTheirColours) {
    TempDir dir;
    CImage image;
    image.Create(2, 1, 8, -1);
    const uint8_t triples[] = {10, 20, 30, 40, 50, 60};
    image.SetPaletteTriples(2, triples);
    image.SetIndex(1, 0, 1);
    EXPECT_EQ(PacketsOf(image, dir), (Bytes{0x01, 30, 20, 10, 60, 50, 40}));
}

TEST(TgaWrite, FailuresAnswerZero) {
    TempDir dir;
    CImage image = Row({1, 2});
    EXPECT_EQ(image.SaveAs(dir.File("missing/w.tga"), -1), 0);
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(image.SaveAs("/dev/full", kTypeTga), 0) << "a full disk is no success";
    }
    CImage empty;
    empty.SetFileType("", kTypeTga);
    EXPECT_EQ(empty.SaveAs(dir.File("e.tga"), -1), 0);
}

}  // namespace
