#include <gtest/gtest.h>

#include <algorithm>

#include "image/Image.h"
#include "support/ExternalImage.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

// At most `colours` distinct, never grey, colours: runs along the rows broken by noise, or
// pure noise, which keeps an LZW table filling up.
RgbPicture ColourPicture(int width, int height, int colours, bool noise = false) {
    RgbPicture picture{width, height, {}};
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int k = static_cast<int>(noise ? (seed >> 16) % colours
                                                 : ((x / 4 + y / 3) * 7 + (seed >> 30)) % colours);
            picture.rgb.insert(picture.rgb.end(), {static_cast<uint8_t>(k * 97 % 256),
                                                   static_cast<uint8_t>((k * 59 + 13) % 256),
                                                   static_cast<uint8_t>(255 - k)});
        }
    }
    return picture;
}

// Offset of the first image descriptor's "," in a GIF.
size_t DescriptorOffset(const std::vector<uint8_t>& f) {
    size_t at = 13 + ((f[10] & 0x80) ? 3u << ((f[10] & 7) + 1) : 0);
    while (at < f.size() && f[at] == 0x21) {
        for (at += 2; at < f.size() && f[at] != 0; at += f[at] + 1u) {
        }
        ++at;
    }
    return std::min(at, f.size() - 10);
}

class ConvertGif : public ::testing::Test {
  protected:
    void SetUp() override { REQUIRE_CONVERT(); }
    // Has convert make out.gif (written as prefix + name) from the picture.
    std::vector<uint8_t> Make(const RgbPicture& picture, const std::string& options,
                              const std::string& prefix = "") {
        EXPECT_TRUE(WritePpm(dir.File("in.ppm"), picture));
        EXPECT_TRUE(
            RunConvert(dir.File("in.ppm") + " " + options + " " + prefix + dir.File("out.gif")));
        std::vector<uint8_t> f = ReadFileBytes(dir.File("out.gif"));
        if (f.size() < 13) f.resize(13);
        return f;
    }
    CImage Load() {
        CImage image;
        EXPECT_EQ(image.Load(dir.File("out.gif")), 1);
        return image;
    }
    TempDir dir;
};

TEST_F(ConvertGif, DecodesPixelExact) {
    struct Case {
        const char* name;
        RgbPicture picture;
        std::string options, prefix;
    };
    const Case cases[] = {
        {"GIF87a", ColourPicture(40, 30, 50), "", "gif87:"},
        {"interlaced", ColourPicture(33, 47, 100), "-interlace GIF", ""},
        {"two colours", ColourPicture(29, 17, 2), "", ""},
        // 60000 noisy pixels need far more than the 4096 codes of one table.
        {"table refills", ColourPicture(300, 200, 256, true), "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> f = Make(c.picture, c.options, c.prefix);
        const bool interlaced = (f[DescriptorOffset(f) + 9] & 0x40) != 0;
        EXPECT_EQ(interlaced, !c.options.empty());
        EXPECT_EQ(std::string(f.begin(), f.begin() + 6) == "GIF87a", !c.prefix.empty());
        EXPECT_EQ((f[10] & 7) == 0, c.name == std::string("two colours")) << "two-entry table";
        const CImage image = Load();
        ASSERT_TRUE(image.HasImage());
        EXPECT_EQ(image.BitsPerPixel(), 8);
        EXPECT_EQ(image.TransparentIndex(), -1);
        EXPECT_TRUE(PictureOf(image) == c.picture);
    }
}

TEST_F(ConvertGif, TransparentColourReadsBlackWithWhiteFill) {
    RgbPicture picture = ColourPicture(31, 21, 40);
    const std::vector<uint8_t> f = Make(picture, "-transparent 'rgb(0,13,255)'");
    ASSERT_EQ(std::string(f.begin(), f.begin() + 6), "GIF89a");
    const CImage image = Load();
    ASSERT_TRUE(image.HasImage());
    EXPECT_GE(image.TransparentIndex(), 0);
    ASSERT_EQ(image.GetPalette()->Count(), 256);
    uint8_t r, g, b;
    image.GetPalette()->GetEntry(255, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(255, 255, 255)) << "unused entries are white";
    for (size_t i = 0; i < picture.rgb.size(); i += 3) {
        if (picture.rgb[i] == 0 && picture.rgb[i + 1] == 13)
            picture.rgb[i + 1] = picture.rgb[i + 2] = 0;
    }
    EXPECT_TRUE(PictureOf(image) == picture);
}

TEST_F(ConvertGif, LocalTableReplacesGlobalOne) {
    const RgbPicture picture = ColourPicture(25, 19, 60);
    std::vector<uint8_t> f = Make(picture, "");
    // Move the colours into a local table and leave a scrambled global one behind.
    ASSERT_TRUE(f[10] & 0x80);
    const size_t tableBytes = 3u << ((f[10] & 7) + 1);
    const size_t d = DescriptorOffset(f);
    const std::vector<uint8_t> table(f.begin() + 13, f.begin() + 13 + tableBytes);
    std::transform(f.begin() + 13, f.begin() + 13 + tableBytes, f.begin() + 13,
                   [](uint8_t v) { return static_cast<uint8_t>(v ^ 0x5A); });
    f[d + 9] = static_cast<uint8_t>((f[d + 9] & ~7) | 0x80 | (f[10] & 7));
    f.insert(f.begin() + d + 10, table.begin(), table.end());
    WriteFileBytes(dir.File("out.gif"), f);
    const CImage image = Load();
    ASSERT_TRUE(image.HasImage());
    EXPECT_TRUE(PictureOf(image) == picture);
}

TEST_F(ConvertGif, AnimationGivesItsFirstFrame) {
    const RgbPicture first = ColourPicture(20, 16, 30), second = ColourPicture(20, 16, 30, true);
    ASSERT_TRUE(WritePpm(dir.File("a.ppm"), first));
    ASSERT_TRUE(WritePpm(dir.File("b.ppm"), second));
    ASSERT_TRUE(
        RunConvert(dir.File("a.ppm") + " " + dir.File("b.ppm") + " " + dir.File("out.gif")));
    const CImage image = Load();
    ASSERT_TRUE(image.HasImage());
    EXPECT_TRUE(PictureOf(image) == first);
}

}  // namespace
