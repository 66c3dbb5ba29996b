// The five-view renderers on float samples: the same geometry as the 8-bit path, answers
// that differ from it only by the final rounding, and more than 8 bits kept.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "deep/DeepFiles.h"
#include "fiveview/FiveViewRenderers.h"
#include "sky/SkyCube.h"
#include "support/FaceFixtures.h"
#include "support/DeepPictures.h"
#include "support/ScopedRenderThreads.h"
#include "support/ScriptedProgress.h"
#include "support/TempDir.h"

namespace {

// An output no renderer writes: the 8-bit marker, and for the deep path alpha 0.5.
DeepPicture MarkedDeep(int width, int height) {
    DeepPicture deep;
    EXPECT_TRUE(deep.Create(width, height, true));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float* p = deep.Pixel(x, y);
            for (int c = 0; c < 3; ++c) p[c] = kUntouched[c] / 255.0f;
            p[3] = 0.5f;
        }
    }
    return deep;
}

struct Difference {
    int largest = 0;
    long differing = 0;
    long untouchedMismatches = 0;
};

// The deep output rounded to 8 bits against the 8-bit output, pixel by pixel.
Difference Compare(const DeepPicture& deep, const CImage& eight) {
    Difference d;
    for (int y = 0; y < eight.Height(); ++y) {
        for (int x = 0; x < eight.Width(); ++x) {
            uint8_t rgb[3];
            eight.GetRGB(x, y, rgb[0], rgb[1], rgb[2]);
            const float* p = deep.Pixel(x, y);
            if ((p[3] == 0.5f) != Untouched(eight, x, y)) ++d.untouchedMismatches;
            bool differs = false;
            for (int c = 0; c < 3; ++c) {
                const int diff = std::abs(ToSample8(p[c]) - rgb[c]);
                d.largest = std::max(d.largest, diff);
                differs = differs || diff != 0;
            }
            d.differing += differs ? 1 : 0;
        }
    }
    return d;
}

class DeepRender : public testing::Test {
  protected:
    void SetUp() override {
        sky::RenderFaces(faces, 96, 96);
        for (int t = 0; t < kFaceCount; ++t) deepFaces[t] = DeepOf(faces[t]);
    }
    FacePictures faces;
    DeepFaces deepFaces;
};

// Plain sampling copies a face pixel: exactly the 8-bit answer, on the same pixels. The 5x
// sub-sample keeps its sum unrounded where the 8-bit path truncates it: at most one level
// apart, on the same pixels.
TEST_F(DeepRender, EightBitFacesGiveTheEightBitAnswerUpToTheFinalRounding) {
    for (const PolarFormat format : {kDomeMaster, kAllSky}) {
        const FiveViewSettings settings = SettingsFor(200, format);
        ScriptedProgress progress;
        CImage eight = MarkedOutput(131, 120);
        DeepPicture deep = MarkedDeep(131, 120);
        RenderPlain(eight, settings, faces, progress);
        RenderPlainDeep(deep, settings, deepFaces, progress);
        const Difference plain = Compare(deep, eight);
        EXPECT_EQ(plain.largest, 0);
        EXPECT_EQ(plain.untouchedMismatches, 0);

        eight = MarkedOutput(131, 120);
        deep = MarkedDeep(131, 120);
        RenderSubsample5(eight, settings, faces, progress);
        RenderSubsample5Deep(deep, settings, deepFaces, progress);
        const Difference subsample = Compare(deep, eight);
        EXPECT_EQ(subsample.largest, 1) << "rounding against truncation";
        EXPECT_GT(subsample.differing, 1000) << "most sums are not multiples of 6";
        EXPECT_EQ(subsample.untouchedMismatches, 0);

        // EWA truncates its weighted mean into the byte (and its bilinear fallback truncates
        // twice): within two levels, nearly always one.
        EwaWeights weights{};
        BuildEwaWeights(weights, 4.0);
        eight = MarkedOutput(131, 120);
        deep = MarkedDeep(131, 120);
        RenderEwaRGB(eight, settings, faces, weights, progress);
        RenderEwaDeep(deep, settings, deepFaces, weights, progress);
        const Difference ewa = Compare(deep, eight);
        EXPECT_GE(ewa.largest, 1);
        EXPECT_LE(ewa.largest, 2);
        EXPECT_EQ(ewa.untouchedMismatches, 0);
    }
}

TEST_F(DeepRender, TheSameFloatsOnAnyNumberOfThreads) {
    const FiveViewSettings settings = SettingsFor(180, kDomeMaster);
    std::vector<std::vector<float>> first(3);
    EwaWeights weights{};
    BuildEwaWeights(weights, 4.0);
    for (int threads : {1, 2, 3, 8}) {
        const ScopedRenderThreads count(threads);
        ScriptedProgress progress;
        for (int renderer = 0; renderer < 3; ++renderer) {
            DeepPicture deep = MarkedDeep(150, 97);
            if (renderer == 0) {
                RenderPlainDeep(deep, settings, deepFaces, progress);
            } else if (renderer == 1) {
                RenderSubsample5Deep(deep, settings, deepFaces, progress);
            } else {
                RenderEwaDeep(deep, settings, deepFaces, weights, progress);
            }
            std::vector<float> samples;
            for (int y = 0; y < deep.Height(); ++y) {
                samples.insert(samples.end(), deep.Pixel(0, y),
                               deep.Pixel(0, y) + deep.Width() * DeepPicture::kChannels);
            }
            if (threads == 1) {
                first[renderer] = samples;
            } else {
                EXPECT_TRUE(std::memcmp(samples.data(), first[renderer].data(),
                                        samples.size() * sizeof(float)) == 0)
                    << threads << " threads, renderer " << renderer;
            }
        }
    }
}

// Through lookup tables the deep renders give the direct renders' floats exactly, and the
// tables are the 8-bit faces' tables (they depend on the sizes only).
TEST_F(DeepRender, TableRendersEqualTheDirectRenders) {
    for (const int mode : {kNoAA, kSubsample5}) {
        SCOPED_TRACE(mode);
        FiveViewSettings settings = SettingsFor(212.58, kAllSky);
        settings.samplingMode = static_cast<SamplingMode>(mode);
        ScriptedProgress progress;
        DeepPicture direct = MarkedDeep(131, 117), tabled = MarkedDeep(131, 117);
        FiveViewTables deepTables, eightTables;
        BuildDeepTable(tabled, settings, deepFaces, deepTables, progress);
        CImage eight;
        ASSERT_TRUE(eight.Create(131, 117, 24, -1));
        if (mode == kSubsample5) {
            RenderSubsample5Deep(direct, settings, deepFaces, progress);
            BuildSubsample5Table(eight, settings, faces, eightTables, progress);
        } else {
            RenderPlainDeep(direct, settings, deepFaces, progress);
            BuildPlainTable(eight, settings, faces, eightTables, progress);
        }
        EXPECT_TRUE(deepTables.faceTable == eightTables.faceTable);
        EXPECT_TRUE(deepTables.rowTable == eightTables.rowTable);
        EXPECT_TRUE(deepTables.columnTable == eightTables.columnTable);
        RenderDeepTable(tabled, settings, deepFaces, deepTables, progress);
        for (int y = 0; y < 117; ++y) {
            ASSERT_EQ(std::memcmp(direct.Pixel(0, y), tabled.Pixel(0, y),
                                  131 * DeepPicture::kChannels * sizeof(float)),
                      0)
                << "row " << y;
        }
    }
}

// A smooth 16-bit sky gradient through 16-bit PNG files: the dome keeps thousands of levels
// where the 8-bit path has 256 at most.
TEST_F(DeepRender, SixteenBitGradientFacesKeepTheirLevelsInASixteenBitDome) {
    TempDir dir;
    DeepFaces gradient;
    for (int t = 0; t < kFaceCount; ++t) {
        DeepPicture face;
        ASSERT_TRUE(face.Create(512, 512, false));
        for (int y = 0; y < 512; ++y) {
            for (int x = 0; x < 512; ++x) {
                float* p = face.Pixel(x, y);
                p[0] = static_cast<float>(y * 512 + x) / (512.0f * 512.0f - 1);
                p[1] = static_cast<float>(t) / 4;
                p[2] = static_cast<float>(x) / 511;
            }
        }
        const std::string name = dir.File("face" + std::to_string(t) + ".png");
        std::string problem;
        ASSERT_TRUE(WriteDeepPicture(name, face, DeepWriteOptions{}, problem)) << problem;
        ASSERT_TRUE(ReadDeepPicture(name, gradient[t], problem)) << problem;
    }
    DeepPicture dome;
    ASSERT_TRUE(dome.Create(600, 600, false));
    ScriptedProgress progress;
    RenderSubsample5Deep(dome, SettingsFor(180, kDomeMaster), gradient, progress);
    std::string problem;
    ASSERT_TRUE(WriteDeepPicture(dir.File("dome.png"), dome, DeepWriteOptions{}, problem));
    DeepPicture back;
    ASSERT_TRUE(ReadDeepPicture(dir.File("dome.png"), back, problem)) << problem;
    std::set<uint16_t> levels16;
    std::set<uint8_t> levels8;
    for (int y = 0; y < back.Height(); ++y) {
        for (int x = 0; x < back.Width(); ++x) {
            levels16.insert(ToSample16(back.Pixel(x, y)[0]));
            levels8.insert(ToSample8(back.Pixel(x, y)[0]));
        }
    }
    EXPECT_GT(levels16.size(), 4000u);
    EXPECT_LE(levels8.size(), 256u);
}

}  // namespace
