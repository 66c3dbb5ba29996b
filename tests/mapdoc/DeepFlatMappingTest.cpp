// The flat mapping on deep pictures against the 8-bit mapping: the same samples, a mean that
// is rounded once instead of truncated.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "deep/DeepPicture.h"
#include "mapdoc/FlatMapping.h"
#include "mapdoc/PanSettings.h"
#include "sky/SkyCube.h"
#include "support/DeepPictures.h"
#include "support/ScopedRenderThreads.h"

namespace {

MapGrid TestGrid(int antiAliasing) {
    PanSettings settings = NewDocumentPanSettings();
    settings.width = 300;
    settings.height = 83;
    settings.antiAliasing = antiAliasing;
    settings.eyeY = 0.1;
    return GridOf(settings);
}

Patch TestPatch() {
    auto view = std::make_unique<CImage>();
    sky::RenderFace(*view, 4, 64, 48);
    return Patch(std::move(view), 5, 20, 10, 90, 70);
}

DeepPicture MapDeep(const MapGrid& grid, const Patch& patch, const DeepPicture& picture) {
    DeepPicture rectangle;
    EXPECT_TRUE(rectangle.Create(grid.width, grid.height, true));
    EXPECT_TRUE(MapPictureIntoDeep(rectangle, grid, patch, picture, nullptr));
    return rectangle;
}

// Covered pixels (alpha 1 in the deep rectangle, which starts transparent) hold the rounded
// mean where the 8-bit mapping holds the truncated one: equal without anti-aliasing, at most
// one level above with it. Uncovered pixels stay black in both.
TEST(DeepFlatMapping, MatchesTheEightBitMappingWithinTheFinalRounding) {
    for (int antiAliasing : {kMapNoAA, kMap4x, kMap7x}) {
        SCOPED_TRACE(antiAliasing);
        const MapGrid grid = TestGrid(antiAliasing);
        const Patch patch = TestPatch();
        CImage eight;
        ASSERT_TRUE(eight.Create(grid.width, grid.height, 24, -1));
        ASSERT_TRUE(MapPatchInto(eight, grid, patch, nullptr));
        const DeepPicture deep = MapDeep(grid, patch, DeepOf(*patch.image));
        int covered = 0, roundedUp = 0;
        for (int y = 0; y < grid.height; ++y) {
            for (int x = 0; x < grid.width; ++x) {
                uint8_t rgb[3];
                eight.GetRGB(x, y, rgb[0], rgb[1], rgb[2]);
                const float* p = deep.Pixel(x, y);
                if (p[3] == 0) {
                    ASSERT_EQ(rgb[0] + rgb[1] + rgb[2], 0) << x << "," << y;
                    continue;
                }
                ASSERT_EQ(p[3], 1.0f);
                ++covered;
                for (int c = 0; c < 3; ++c) {
                    const int difference = ToSample8(p[c]) - rgb[c];
                    ASSERT_TRUE(difference == 0 || (antiAliasing != kMapNoAA && difference == 1))
                        << x << "," << y << " channel " << c << ": " << difference;
                    roundedUp += difference;
                }
            }
        }
        EXPECT_GT(covered, 5000) << "the view covers part of the map";
        if (antiAliasing != kMapNoAA) {
            EXPECT_GT(roundedUp, 0) << "means between levels exist";
        }
    }
}

// Values above 1 and alpha come through as they are: a bright, half transparent view gives
// a bright, half transparent panorama, on any thread count with the same bytes.
TEST(DeepFlatMapping, KeepsHighValuesAndAlphaOnAnyNumberOfThreads) {
    const MapGrid grid = TestGrid(kMap7x);
    const Patch patch = TestPatch();
    DeepPicture view = DeepOf(*patch.image);
    for (int y = 0; y < view.Height(); ++y) {
        for (int x = 0; x < view.Width(); ++x) {
            view.Pixel(x, y)[0] = 4.0f;
            view.Pixel(x, y)[3] = 0.5f;
        }
    }
    std::vector<float> one;
    for (int threads : {1, 2, 3, 8}) {
        const ScopedRenderThreads count(threads);
        const DeepPicture rectangle = MapDeep(grid, patch, view);
        std::vector<float> samples;
        int seen = 0;
        for (int y = 0; y < grid.height; ++y) {
            for (int x = 0; x < grid.width; ++x) {
                const float* p = rectangle.Pixel(x, y);
                samples.insert(samples.end(), p, p + DeepPicture::kChannels);
                if (p[3] == 0) continue;
                ++seen;
                ASSERT_FLOAT_EQ(p[0], 4.0f);
                ASSERT_FLOAT_EQ(p[3], 0.5f);
            }
        }
        EXPECT_GT(seen, 5000);
        if (threads == 1) {
            one = samples;
        } else {
            EXPECT_TRUE(std::memcmp(one.data(), samples.data(), one.size() * sizeof(float)) == 0)
                << threads << " threads";
        }
    }
}

}  // namespace
