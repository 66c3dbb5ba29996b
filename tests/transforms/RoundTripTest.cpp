#include <gtest/gtest.h>

#include "transforms/AmbivuePolar.h"
#include "transforms/RectPolar.h"
#include "transforms/TransformFixtures.h"

// A transform followed by its inverse gives back the picture up to resampling: pixels away
// from colour edges come back unchanged.
namespace {

using sky::Anchor;

template <typename Projection>
Tally CompareWithOriginal(const CImage& result, const CImage& original,
                          const Projection& projection, double margin) {
    return CompareEach(result, projection.width, projection.height, [&](int column, int row) {
        sky::Vec3 d;
        if (!projection.Direction(column, row, d) || sky::EdgeDistance(d) < margin) {
            return Expected{};
        }
        return Expected{true, PixelOf(original, column, row)};
    });
}

CImage Blank(int width, int height) {
    CImage picture;
    picture.Create(width, height, 24, -1);
    return picture;
}

void ExpectReproduced(const Tally& tally, const char* name) {
    tally.Print(name);
    EXPECT_GT(tally.judged, tally.pixels / 4);
    EXPECT_GE(tally.Rate(), 0.999);
}

class RectRoundTrip : public testing::TestWithParam<int> {};

TEST_P(RectRoundTrip, PolarToRectWithMinusRUndoesRectToPolarWithR) {
    const sky::Panorama projection{480, 240, Anchor::kCell};
    CImage panorama, polar = Blank(480, 240), back = Blank(480, 240);
    sky::Render(panorama, projection);
    XformSettings settings;
    settings.rotation = GetParam();
    RectToPolar(panorama, polar, settings);
    settings.rotation = -GetParam();
    PolarToRect(polar, back, settings);
    // The way back stands its columns at j / (W - 1) of the turn, not (j + 0.5) / W.
    ExpectReproduced(CompareWithOriginal(back, panorama, projection, 1.2), "RectRoundTrip");
}

INSTANTIATE_TEST_SUITE_P(Rotations, RectRoundTrip, testing::Values(0, 37, -120));

TEST(PolarRoundTrip, RectToPolarAfterPolarToRectReproducesTheDisc) {
    const sky::PolarPicture projection{400, 400, Anchor::kCell};
    CImage polar, rect = Blank(400, 400), back = Blank(400, 400);
    sky::Render(polar, projection);
    PolarToRect(polar, rect, XformSettings{});
    RectToPolar(rect, back, XformSettings{});
    const Tally tally = CompareEach(back, 400, 400, [&](int column, int row) {
        double x, y;
        projection.DiscPoint(column, row, x, y);
        sky::Vec3 d;
        projection.Direction(column, row, d);
        if (std::hypot(x, y) > 0.99 || sky::EdgeDistance(d) < 0.8) return Expected{};
        return Expected{true, PixelOf(polar, column, row)};
    });
    ExpectReproduced(tally, "PolarRoundTrip");
}

class AmbivueRoundTrip : public testing::TestWithParam<int> {};

TEST_P(AmbivueRoundTrip, PolarToAmbivueWithMinusRUndoesAmbivueToPolarWithR) {
    const sky::AmbivueBand projection{600, 180, Anchor::kCell};
    CImage band, polar = Blank(700, 700), back = Blank(600, 180);
    sky::Render(band, projection);
    XformSettings settings;
    settings.clockwiseRotation = GetParam();
    AmbivueToPolar(band, polar, settings);
    settings.clockwiseRotation = -GetParam();
    PolarToAmbivue(polar, back, settings);
    ExpectReproduced(CompareWithOriginal(back, band, projection, 0.8), "AmbivueRoundTrip");
}

INSTANTIATE_TEST_SUITE_P(Rotations, AmbivueRoundTrip, testing::Values(0, 45, -200));

}  // namespace
