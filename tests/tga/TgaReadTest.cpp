#include <gtest/gtest.h>

#include "TgaTestFiles.h"
#include "image/Tga.h"

namespace {

using Colour = std::tuple<int, int, int>;

// One-pixel-wide grey file whose file row i has the value 10 × (i + 1).
TgaFile NumberedRows(int height, int descriptor) {
    TgaFile file(3, 8, 1, height, descriptor);
    for (int i = 0; i < height; ++i) file.Add({10 * (i + 1)});
    return file;
}

std::vector<int> GreyColumn(const CImage& image) {
    std::vector<int> values;
    for (int y = 0; y < image.Height(); ++y) values.push_back(std::get<0>(Rgb(image, 0, y)));
    return values;
}

TEST(TgaRead, RowOriginAndInterlacePlaceEveryFileRowOnce) {
    TempDir dir;
    struct Case {
        int height, descriptor;
        std::vector<int> bottomUp;  // the value of each picture row from y = 0
    } cases[] = {
        {3, 0x00, {10, 20, 30}},
        {3, 0x20, {30, 20, 10}},
        // Two-way: file rows carry picture rows 0, 2, 4, then 1, 3.
        {5, 0x40, {10, 40, 20, 50, 30}},
        // Four-way: 0, 4, then 1, 5, then 2, then 3.
        {6, 0x80, {10, 30, 50, 60, 20, 40}},
        {8, 0x80, {10, 30, 50, 70, 20, 40, 60, 80}},
        {5, 0x60, {30, 50, 20, 40, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "height " << c.height << " descriptor " << c.descriptor);
        CImage image(NumberedRows(c.height, c.descriptor).Save(dir), -1);
        ASSERT_TRUE(image.HasImage());
        EXPECT_EQ(GreyColumn(image), c.bottomUp);
    }
}

TEST(TgaRead, FiveBitChannelsAndGreyAtThirtyTwoBits) {
    TempDir dir;
    // 0x7FFF is white; the top bit is no colour; 0x0443 is red 1, green 2, blue 3.
    CImage image(TgaFile(2, 16, 3, 1).Add({0xFF, 0x7F, 0xFF, 0xFF, 0x43, 0x04}).Save(dir), -1);
    ASSERT_TRUE(image.HasImage());
    EXPECT_EQ(Rgb(image, 0, 0), Colour(255, 255, 255));
    EXPECT_EQ(Rgb(image, 1, 0), Colour(255, 255, 255));
    EXPECT_EQ(Rgb(image, 2, 0), Colour(8, 16, 24));
    EXPECT_EQ(image.AlphaBits(), nullptr);
    CImage grey(TgaFile(3, 32, 1, 1).Add({40, 50, 60, 70}).Save(dir, "g.tga"), -1);
    EXPECT_EQ(Rgb(grey, 0, 0), Colour(40, 40, 40)) << "grey takes the first channel";
    EXPECT_EQ(grey.AlphaBits(), nullptr) << "and has no alpha";
}

// Sixteen-bit grey pixels are grey and alpha bytes (low byte grey, high byte alpha), not
// five-bit colour: grey 157 stays 157.
TEST(TgaRead, SixteenBitGreyIsGreyAndAlpha) {
    TempDir dir;
    const std::vector<std::pair<int, int>> pixels = {{157, 255}, {0, 128}, {255, 0}, {40, 7}};
    TgaFile plain(3, 16, 4, 1, 8);
    for (const auto& [grey, alpha] : pixels) plain.Add({grey, alpha});
    // The same pixels run-length coded: a raw packet of two, then a run of one and a raw one.
    TgaFile runs(11, 16, 4, 1, 8);
    runs.Add({0x01, 157, 255, 0, 128, 0x80, 255, 0, 0x00, 40, 7});
    // Longer runs repeat grey and alpha together, on into the next row.
    TgaFile longRun(11, 16, 3, 2, 8);
    longRun.Add({0x84, 90, 60, 0x00, 91, 61});
    for (const auto& [name, file] : {std::pair{"plain.tga", plain}, {"runs.tga", runs}}) {
        SCOPED_TRACE(name);
        CImage image(file.Save(dir, name), -1);
        ASSERT_TRUE(image.HasImage());
        ASSERT_NE(image.AlphaBits(), nullptr);
        for (int x = 0; x < 4; ++x) {
            const auto [grey, alpha] = pixels[static_cast<size_t>(x)];
            EXPECT_EQ(Rgb(image, x, 0), Colour(grey, grey, grey)) << x;
            EXPECT_EQ(image.GetAlpha(x, 0), alpha) << x;
        }
    }
    CImage image(longRun.Save(dir, "long.tga"), -1);
    ASSERT_TRUE(image.HasImage());
    for (int i = 0; i < 6; ++i) {
        const int grey = i < 5 ? 90 : 91;
        EXPECT_EQ(Rgb(image, i % 3, i / 3), Colour(grey, grey, grey)) << i;
        EXPECT_EQ(image.GetAlpha(i % 3, i / 3), grey - 30) << i;
    }
}

TEST(TgaRead, ColourMapsOfEveryEntrySize) {
    TempDir dir;
    // Entries 2 and 3 of a map starting at entry 2; index 1 names an entry the file never set.
    const auto mapped = [&](int entrySize, std::initializer_list<int> entries) {
        TgaFile file(1, 8, 3, 1);
        file.Map(2, 2, entrySize).Add(entries).Add({2, 3, 1});
        return CImage(file.Save(dir), -1);
    };
    const CImage grey = mapped(8, {100, 200});
    EXPECT_EQ(Rgb(grey, 0, 0), Colour(100, 100, 100));
    EXPECT_EQ(Rgb(grey, 1, 0), Colour(200, 200, 200));
    EXPECT_EQ(Rgb(grey, 2, 0), Colour(0, 0, 0));
    const CImage five = mapped(15, {0x43, 0x04, 0x00, 0x7C});
    EXPECT_EQ(Rgb(five, 0, 0), Colour(8, 16, 24));
    EXPECT_EQ(Rgb(five, 1, 0), Colour(255, 0, 0));
    const CImage full = mapped(32, {3, 2, 1, 99, 30, 20, 10, 99});
    EXPECT_EQ(Rgb(full, 0, 0), Colour(1, 2, 3));
    EXPECT_EQ(Rgb(full, 1, 0), Colour(10, 20, 30));
    EXPECT_EQ(full.AlphaBits(), nullptr);
}

TEST(TgaRead, SkipsIdentificationAndUnusedMap) {
    TempDir dir;
    TgaFile file(2, 24, 1, 1);
    file.bytes[0] = 3;
    file.Map(0, 2, 24).Add({'a', 'b', 'c'}).Add({1, 1, 1, 2, 2, 2}).Add({30, 20, 10});
    CImage image(file.Save(dir), -1);
    EXPECT_EQ(Rgb(image, 0, 0), Colour(10, 20, 30));
}

TEST(TgaRead, RunLengthPacketsCarryOnAcrossRows) {
    TempDir dir;
    // 3 × 2: a run of four, then a raw packet of two.
    TgaFile file(10, 24, 3, 2);
    file.Add({0x83, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9});
    CImage image(file.Save(dir), -1);
    const Colour a(3, 2, 1);
    EXPECT_EQ(Rgb(image, 0, 0), a);
    EXPECT_EQ(Rgb(image, 2, 0), a);
    EXPECT_EQ(Rgb(image, 0, 1), a);
    EXPECT_EQ(Rgb(image, 1, 1), Colour(6, 5, 4));
    EXPECT_EQ(Rgb(image, 2, 1), Colour(9, 8, 7));
}

TEST(TgaRead, RefusedFilesSayWhyAndLeaveNoPixels) {
    TempDir dir;
    struct Case {
        TgaFile file;
        const char* message;
    } cases[] = {
        {TgaFile(32, 24, 2, 2), "unknown Targa image type 32"},
        {TgaFile(1, 8, 2, 2), "mapped image (type 1) with color map type != 1"},
        {TgaFile(9, 8, 2, 2).Map(0, 2, 20), "unknown colormap pixel size - 20"},
        {TgaFile(2, 12, 2, 2), "unknown pixel size - 12"},
        {TgaFile(2, 24, 2, 2).Map(16000, 383, 24), "too many colors - 16384"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.message);
        CImage image;
        EXPECT_EQ(image.Load(c.file.Save(dir), -1), 0);
        EXPECT_FALSE(image.HasImage());
        EXPECT_EQ(image.Problems(), std::vector<std::string>{c.message});
    }
    // One entry short of the limit is accepted.
    TgaFile largest(2, 24, 1, 1);
    largest.Map(16000, 382, 24).bytes.resize(18 + 382 * 3 + 3, 5);
    CImage accepted;
    EXPECT_EQ(accepted.Load(largest.Save(dir), -1), 1);
    EXPECT_TRUE(accepted.Problems().empty());
}

TEST(TgaRead, OddSizesWarnOnceAndReadOn) {
    TempDir dir;
    // An unused map of 12-bit entries: its 2 × 2 bytes are stepped over.
    CImage unusedMap(TgaFile(2, 24, 1, 1).Map(0, 2, 12).Add({0, 0, 0, 0, 30, 20, 10}).Save(dir),
                     -1);
    EXPECT_EQ(Rgb(unusedMap, 0, 0), Colour(10, 20, 30));
    // Mapped pixels of no known size: every pixel stays the previous one, black.
    CImage oddPixels(TgaFile(1, 12, 50, 50).Map(0, 1, 24).Add({9, 9, 9}).Save(dir, "p.tga"), -1);
    EXPECT_TRUE(oddPixels.HasImage());
    EXPECT_EQ(Rgb(oddPixels, 49, 49), Colour(0, 0, 0));
    EXPECT_EQ(unusedMap.Problems(),
              std::vector<std::string>{"unknown colormap pixel size (#2) - 12"});
    EXPECT_EQ(oddPixels.Problems(), std::vector<std::string>{"unknown pixel size (#2) - 12"})
        << "once, not once per pixel";
    ASSERT_EQ(oddPixels.Load(dir.File("p.tga"), -1), 1);
    EXPECT_EQ(oddPixels.Problems().size(), 1u) << "a new read starts a new list";
}

TEST(TgaRead, HeaderDumpShowsEveryFieldWhenSwitchedOn) {
    TempDir dir;
    TgaFile file(10, 24, 0x0102, 3, 0x60 | 0x18);
    file.Map(0x0405, 0x0607, 24, 0);
    const std::string name = file.Save(dir);
    EXPECT_FALSE(CTgaImpl::HeaderDump());
    CImage quiet(name, -1);
    EXPECT_TRUE(quiet.Problems().empty()) << "off unless switched on";
    CTgaImpl::SetHeaderDump(true);
    CImage dumped(name, -1);
    CTgaImpl::SetHeaderDump(false);
    const std::vector<std::string> expected = {
        "IDLength = 0\n",   "CoMapType = 0\n", "ImgType = 10\n",  "Index_lo = 5\n",
        "Index_hi = 4\n",   "Length_lo = 7\n", "Length_hi = 6\n", "CoSize = 24\n",
        "X_org_lo = 0\n",   "X_org_hi = 0\n",  "Y_org_lo = 0\n",  "Y_org_hi = 0\n",
        "Width_lo = 2\n",   "Width_hi = 1\n",  "Height_lo = 3\n", "Height_hi = 0\n",
        "PixelSize = 24\n", "AttBits = 8\n",   "Rsrvd = 1\n",     "OrgBit = 1\n",
        "IntrLve = 1\n"};
    EXPECT_EQ(dumped.Problems(), expected);
}

}  // namespace
