// The transforms on float samples: the 8-bit answer up to the final rounding, on the same
// pixels, and the same floats on any number of threads.
#include <gtest/gtest.h>

#include <cstring>

#include "sky/SkyCube.h"
#include "support/DeepPictures.h"
#include "support/ScopedRenderThreads.h"
#include "transforms/AmbivuePolar.h"
#include "transforms/DeepTransforms.h"
#include "transforms/HammerAitoff.h"
#include "transforms/RectPolar.h"

namespace {

struct Case {
    const char* name;
    XformRoutine eight;
    DeepXformRoutine deep;
    int largestDifference;  // 0 where one source pixel is copied, 1 for a mean of four
};

const Case kCases[] = {{"rect to polar", RectToPolar, RectToPolarDeep, 1},
                       {"polar to rect", PolarToRect, PolarToRectDeep, 1},
                       {"ambivue to polar", AmbivueToPolar, AmbivueToPolarDeep, 1},
                       {"polar to ambivue", PolarToAmbivue, PolarToAmbivueDeep, 1},
                       {"hammer-aitoff", HammerAitoffToPolar, HammerAitoffToPolarDeep, 0}};

TEST(DeepTransforms, EightBitPicturesGiveTheEightBitAnswerUpToTheFinalRounding) {
    CImage source;
    sky::RenderFace(source, 4, 90, 70);
    const DeepPicture deepSource = DeepOf(source);
    XformSettings settings;
    settings.offMap = {10, 20, 30};
    settings.rotation = 25;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        CImage eight;
        eight.Create(120, 100, 24, -1);
        eight.Fill(1, 2, 3, 0);
        DeepPicture deep;
        ASSERT_TRUE(deep.Create(120, 100, true));
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 120; ++x) {
                float* p = deep.Pixel(x, y);
                p[0] = 1 / 255.0f, p[1] = 2 / 255.0f, p[2] = 3 / 255.0f, p[3] = 0.5f;
            }
        }
        c.eight(source, eight, settings);
        c.deep(deepSource, deep, settings);
        int largest = 0;
        long untouchedMismatches = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 120; ++x) {
                uint8_t rgb[3];
                eight.GetRGB(x, y, rgb[0], rgb[1], rgb[2]);
                const float* p = deep.Pixel(x, y);
                const bool eightUntouched = rgb[0] == 1 && rgb[1] == 2 && rgb[2] == 3;
                if (eightUntouched != (p[3] == 0.5f)) ++untouchedMismatches;
                for (int k = 0; k < 3; ++k) {
                    largest = std::max(largest, std::abs(ToSample8(p[k]) - rgb[k]));
                }
            }
        }
        EXPECT_EQ(largest, c.largestDifference);
        EXPECT_EQ(untouchedMismatches, 0);
    }
}

TEST(DeepTransforms, TheSameFloatsOnAnyNumberOfThreads) {
    CImage source;
    sky::RenderFace(source, 2, 80, 60);
    const DeepPicture deepSource = DeepOf(source);
    XformSettings settings;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        std::vector<float> first;
        for (int threads : {1, 2, 3, 8}) {
            const ScopedRenderThreads count(threads);
            DeepPicture deep;
            ASSERT_TRUE(deep.Create(130, 97, false));
            c.deep(deepSource, deep, settings);
            std::vector<float> samples(deep.Pixel(0, 0), deep.Pixel(0, 0) + 130 * 97 * 4);
            if (threads == 1) {
                first = samples;
            } else {
                EXPECT_EQ(std::memcmp(samples.data(), first.data(), samples.size() * 4), 0)
                    << threads << " threads";
            }
        }
    }
}

}  // namespace
