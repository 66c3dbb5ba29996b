#include <gtest/gtest.h>

#include <cctype>
#include <fstream>

#include "TgaTestFiles.h"
#include "support/ExternalImage.h"

namespace {

const std::string kData = std::string(MOSA_TEST_DATA) + "/tga/";

// The source of a committed file: P2 or P3 text (any maximum), or P7 with an alpha byte.
struct Source {
    RgbPicture picture;
    std::vector<uint8_t> alpha;  // top row first; empty without alpha
};

Source ReadSource(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::string magic, key;
    in >> magic;
    Source s;
    RgbPicture& p = s.picture;
    if (magic == "P7") {
        while (in >> key && key != "ENDHDR") {
            if (key == "WIDTH")
                in >> p.width;
            else if (key == "HEIGHT")
                in >> p.height;
            else
                in >> key;
        }
        in.get();
        for (int i = 0; i < p.width * p.height; ++i) {
            char rgba[4];
            in.read(rgba, 4);
            p.rgb.insert(p.rgb.end(), rgba, rgba + 3);
            s.alpha.push_back(static_cast<uint8_t>(rgba[3]));
        }
        return s;
    }
    int maximum = 0;
    in >> p.width >> p.height >> maximum;
    const int channels = magic == "P3" ? 3 : 1;
    for (int i = 0; i < p.width * p.height; ++i) {
        int values[3];
        for (int c = 0; c < channels; ++c) in >> values[c];
        for (int c = 0; c < 3; ++c) {
            p.rgb.push_back(static_cast<uint8_t>(values[c % channels] * 255 / maximum));
        }
    }
    return s;
}

std::vector<uint8_t> AlphaOf(const CImage& image) {
    std::vector<uint8_t> alpha;
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x)
            alpha.push_back(static_cast<uint8_t>(image.GetAlpha(x, y)));
    }
    return alpha;
}

struct Written {
    const char* file;
    const char* source;
};

class TgaFromOtherProgram : public testing::TestWithParam<Written> {};

TEST_P(TgaFromOtherProgram, LoadsPixelExact) {
    const Source source = ReadSource(kData + GetParam().source);
    ASSERT_GT(source.picture.width, 0) << "source unreadable";
    CImage image(kData + GetParam().file, -1);
    ASSERT_TRUE(image.HasImage());
    EXPECT_EQ(image.BitsPerPixel(), 24);
    EXPECT_EQ(PictureOf(image), source.picture);
    EXPECT_EQ(image.AlphaBits() != nullptr, !source.alpha.empty());
    if (!source.alpha.empty()) {
        EXPECT_EQ(AlphaOf(image), source.alpha);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, TgaFromOtherProgram,
    testing::Values(Written{"t2-24.tga", "colour.ppm"}, Written{"t2-24-top.tga", "colour.ppm"},
                    Written{"t10-24.tga", "colour.ppm"}, Written{"t1-8.tga", "colour.ppm"},
                    Written{"t9-8-top.tga", "colour.ppm"}, Written{"t3-8.tga", "grey.pgm"},
                    Written{"t11-8.tga", "grey.pgm"}, Written{"t2-16.tga", "five-5bit.ppm"},
                    Written{"t10-16.tga", "five-5bit.ppm"}, Written{"t2-32.tga", "alpha.pam"},
                    Written{"t10-32.tga", "alpha.pam"}),
    [](const testing::TestParamInfo<Written>& info) {
        std::string name = info.param.file;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

// Distinct pixels, a row-long run longer than one packet, and pairs.
CImage PictureWithRuns(bool withAlpha) {
    CImage image = ImageOf(TestPicture(140, 6));
    if (withAlpha) image.AllocAlpha();
    for (int x = 0; x < 140; ++x) {
        image.SetRGB(x, 2, 9, 99, 199);
        image.SetRGB(x, 4, x / 2, 255 - x / 2, 7);
        for (int y = 0; y < 6; ++y) image.SetAlpha(x, y, (x / 3 + y * 40) & 255);
    }
    return image;
}

// ImageMagick keeps a file's rows in file order and only notes the origin; -auto-orient
// applies it.
TEST(TgaWrittenByUs, LoadsPixelExactInOtherProgram) {
    REQUIRE_CONVERT();
    TempDir dir;
    for (bool withAlpha : {false, true}) {
        SCOPED_TRACE(withAlpha ? "32-bit" : "24-bit");
        CImage image = PictureWithRuns(withAlpha);
        ASSERT_EQ(image.SaveAs(dir.File("out.tga")), 1);
        ASSERT_TRUE(RunConvert(dir.File("out.tga") + " -auto-orient " + dir.File("out.ppm")));
        RgbPicture seen;
        ASSERT_TRUE(ReadPpm(dir.File("out.ppm"), seen));
        EXPECT_EQ(seen, PictureOf(image));
        if (!withAlpha) continue;
        ASSERT_TRUE(
            RunConvert(dir.File("out.tga") + " -auto-orient -alpha extract " + dir.File("a.ppm")));
        ASSERT_TRUE(ReadPpm(dir.File("a.ppm"), seen));
        const std::vector<uint8_t> alpha = AlphaOf(image);
        ASSERT_EQ(seen.rgb.size(), 3 * alpha.size());
        for (size_t i = 0; i < alpha.size(); ++i) ASSERT_EQ(seen.rgb[3 * i], alpha[i]) << i;
    }
}

}  // namespace
