#include <gtest/gtest.h>

#include "transforms/AmbivuePolar.h"
#include "transforms/RectPolar.h"
#include "transforms/TransformFixtures.h"

// A transform with rotation R followed by its inverse with -R gives the picture back up to
// resampling: pixels away from colour edges come back unchanged.
namespace {

using Routine = void (*)(const CImage&, CImage&, const XformSettings&);

template <typename Projection>
void ExpectRoundTrip(Routine there, Routine back, const Projection& projection, int polarSize,
                     int rotation, double margin) {
    CImage original, polar = Blank(polarSize, polarSize);
    CImage result = Blank(projection.width, projection.height);
    sky::Render(original, projection);
    XformSettings settings;
    settings.rotation = settings.clockwiseRotation = rotation;
    there(original, polar, settings);
    settings.rotation = settings.clockwiseRotation = -rotation;
    back(polar, result, settings);
    const Tally tally =
        CompareEach(result, projection.width, projection.height, [&](int column, int row) {
            sky::Vec3 d;
            projection.Direction(column, row, d);
            if (sky::EdgeDistance(d) < margin) return Expected{};
            return Expected{true, PixelOf(original, column, row)};
        });
    tally.Print(("RoundTrip" + std::to_string(rotation)).c_str());
    EXPECT_GT(tally.judged, tally.pixels / 4);
    EXPECT_GE(tally.Rate(), 0.999);
}

class RoundTrip : public testing::TestWithParam<int> {};

// The way back stands its columns at j / (W - 1) of the turn rather than (j + 0.5) / W: hence
// the wider margin.
TEST_P(RoundTrip, PolarToRectUndoesRectToPolar) {
    ExpectRoundTrip(RectToPolar, PolarToRect, sky::Panorama{480, 240, sky::Anchor::kCell}, 480,
                    GetParam(), 1.2);
}

TEST_P(RoundTrip, PolarToAmbivueUndoesAmbivueToPolar) {
    ExpectRoundTrip(AmbivueToPolar, PolarToAmbivue, sky::AmbivueBand{600, 180, sky::Anchor::kCell},
                    700, GetParam(), 0.8);
}

INSTANTIATE_TEST_SUITE_P(Rotations, RoundTrip, testing::Values(0, 37, -200));

}  // namespace
