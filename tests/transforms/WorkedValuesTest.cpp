#include <gtest/gtest.h>

#include <chrono>
#include <climits>

#include "mapdoc/FisheyeMapping.h"
#include "transforms/AmbivuePolar.h"
#include "transforms/HammerAitoff.h"
#include "transforms/RectPolar.h"
#include "transforms/TransformFixtures.h"

namespace {

// The fisheye pixel a rectangle shows at a whole azimuth and altitude.
Place FisheyePixelSeen(const CImage& fisheye, const FisheyeParams& params, int azimuth,
                       int altitude) {
    const MapGrid grid{361, 91, -180, 180, 0, 90, {}, 0};  // one degree per pixel
    CImage rectangle;
    rectangle.Create(grid.width, grid.height, 24, -1);
    MapFisheyeInto(rectangle, grid, fisheye, params);
    return CodedPlace(rectangle, azimuth + 180, altitude);
}

TEST(MapFisheyeWorkedValues, PixelsReadWithThePresets) {
    CImage fisheye;
    FillCoded(fisheye, 1920, 1080);
    const FisheyeParams presets;
    // Azimuth 30, altitude 20: theta 28.152 degrees, k 56.304.
    EXPECT_EQ(FisheyePixelSeen(fisheye, presets, 30, 20), (Place{1134, 556}));
    EXPECT_EQ(FisheyePixelSeen(fisheye, presets, 0, 20), (Place{960, 540})) << "the axis";
    // Tilt 0, straight up: above the picture unless the vertical field exceeds 180 degrees.
    EXPECT_EQ(FisheyePixelSeen(fisheye, {146, 82.125, 0}, 0, 90), (Place{-1, -1}));
    EXPECT_EQ(FisheyePixelSeen(fisheye, {146, 200, 0}, 0, 90), (Place{960, 1026}));
    FillCoded(fisheye, 1001, 801);
    EXPECT_EQ(FisheyePixelSeen(fisheye, presets, 0, 20), (Place{500, 400})) << "odd width";
}

class HammerAitoffWorkedValues : public testing::Test {
  protected:
    void SetUp() override {
        FillCoded(source, 1025, 513);
        XformSettings settings;
        for (CImage* polar : {&north, &south}) {
            FillColour(*polar, 513, 513, kUnwritten);
            settings.hemisphere = polar == &north ? kNorthHemisphere : kSouthHemisphere;
            HammerAitoffToPolar(source, *polar, settings);
        }
    }
    static constexpr sky::Rgb kUnwritten{1, 2, 3};
    CImage source, north, south;
};

TEST_F(HammerAitoffWorkedValues, PolesAtTheCentreEquatorOnTheHalfSizeCircle) {
    // The poles come from the top and bottom middle (a pole's longitude is undefined, so the
    // column may be one off the middle).
    const Place northPole = CodedPlace(north, 256, 256), southPole = CodedPlace(south, 256, 256);
    EXPECT_NEAR(northPole.x, 512, 1);
    EXPECT_GE(northPole.y, 511);
    EXPECT_NEAR(southPole.x, 512, 1);
    EXPECT_EQ(southPole.y, 0);
    // Bottom middle of the rim: latitude 0, longitude 0, the map's centre.
    EXPECT_EQ(CodedPlace(north, 256, 0), (Place{512, 256}));
    EXPECT_EQ(CodedPlace(south, 256, 0), (Place{512, 256}));
}

TEST_F(HammerAitoffWorkedValues, PixelsMoreThanTwoPixelsPastTheEquatorAreNotWritten) {
    // From the centre, in fractions of the picture: 0.5110 and 0.5027; the limit is 0.5 + 2/513.
    EXPECT_EQ(PixelOf(north, 71, 71), kUnwritten);
    EXPECT_NE(CodedPlace(north, 74, 74), (Place{-1, -1}));
    EXPECT_EQ(PixelOf(south, 0, 512), kUnwritten);
}

constexpr sky::Rgb kBand{200, 30, 30};
constexpr sky::Rgb kOffMap{10, 10, 120};

// The elevation whose zenith fraction, worked out as the routines do, is exactly z.
double ElevationAt(double z) {
    double e = 90 - z * 90;
    for (int step = 0; step < 64 && (90 - e) * (1.0 / 90) != z; ++step) {
        e = std::nextafter(e, (90 - e) * (1.0 / 90) < z ? -1000.0 : 1000.0);
    }
    EXPECT_EQ((90 - e) * (1.0 / 90), z);
    return e;
}

TEST(AmbivueBandEdges, TopEdgeIsOffMapBottomEdgeIsBandAndNoBandWritesNothing) {
    // A one-pixel polar picture has one sub-sample inside the disc: (-2/3, -2/3).
    const double a = -1 + (1.0 / 3) / 1;
    const double z = std::sqrt(a * a + a * a) * (90 * (1.0 / 90));
    CImage band, polar;
    FillColour(band, 40, 20, kBand);
    FillColour(polar, 1, 1, {1, 2, 3});
    XformSettings s;
    s.offMap = {kOffMap.r, kOffMap.g, kOffMap.b};
    s.elevationFrom = s.elevationTo = 10;
    AmbivueToPolar(band, polar, s);
    PolarToAmbivue(band, polar, s);
    EXPECT_EQ(PixelOf(polar, 0, 0), (sky::Rgb{1, 2, 3})) << "no band: nothing written";

    s.elevationTo = ElevationAt(z);  // z == zMin
    s.elevationFrom = s.elevationTo - 30;
    AmbivueToPolar(band, polar, s);
    EXPECT_EQ(PixelOf(polar, 0, 0), kOffMap);
    s.elevationFrom = ElevationAt(z);  // z == zMax
    s.elevationTo = s.elevationFrom + 30;
    AmbivueToPolar(band, polar, s);
    EXPECT_EQ(PixelOf(polar, 0, 0), kBand);
}

int Differing(const CImage& a, const CImage& b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) count += !(PixelOf(a, x, y) == PixelOf(b, x, y));
    }
    return count;
}

template <typename Routine>
CImage Turned(Routine routine, const CImage& source, int width, int height, int rotation) {
    CImage output;
    output.Create(width, height, 24, -1);
    XformSettings settings;
    settings.rotation = settings.clockwiseRotation = rotation;
    routine(source, output, settings);
    return output;
}

TEST(Rotation, RectToPolarTurnsNegativeAndWholeTurnsAlike) {
    CImage panorama;
    sky::Render(panorama, sky::Panorama{240, 120, sky::Anchor::kCell});
    const auto turned = [&](int rotation) {
        return Turned(RectToPolar, panorama, 240, 120, rotation);
    };
    EXPECT_EQ(Differing(turned(-90), turned(270)), 0);
    EXPECT_EQ(Differing(turned(360), turned(0)), 0);
    EXPECT_EQ(Differing(turned(725), turned(5)), 0);
    EXPECT_GT(Differing(turned(90), turned(0)), 240 * 120 / 4);
}

TEST(Rotation, AmbivueToPolarTakesHugeTurnsInItsStride) {
    CImage band;
    sky::Render(band, sky::AmbivueBand{200, 60, sky::Anchor::kCell});
    const auto start = std::chrono::steady_clock::now();
    const CImage huge = Turned(AmbivueToPolar, band, 64, 64, INT_MAX);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(Differing(huge, Turned(AmbivueToPolar, band, 64, 64, INT_MAX % 360)), 0);
}

// A one-pixel picture stands at the first limit: azimuth -180 for the rectangle, the band's
// azimuthFrom, each on the horizon. Its one counting sub-sample lies 1/3 radian further round
// at radius 2/3 of the disc, whose azimuth 0 points down and 90 right.
TEST(OnePixelPictures, TheOnlyPixelStandsAtTheFirstLimit) {
    CImage polar;
    FillCoded(polar, 300, 300);
    const auto expected = [](double azimuth) {
        return Place{int((1 + 2.0 / 3 * std::sin(azimuth)) * 150),
                     int((1 - 2.0 / 3 * std::cos(azimuth)) * 150)};
    };
    EXPECT_EQ(CodedPlace(Turned(PolarToRect, polar, 1, 1, 0), 0, 0),
              expected(-180 / kDegrees + 1.0 / 3));
    EXPECT_EQ(CodedPlace(Turned(PolarToAmbivue, polar, 1, 1, 0), 0, 0),
              expected(-100 / kDegrees + 1.0 / 3));
    // A one-row Hammer-Aitoff picture lies on the bottom edge: its middle pixel is the rim's
    // bottom middle, the map's centre.
    EXPECT_EQ(CodedPlace(Turned(HammerAitoffToPolar, polar, 9, 1, 0), 4, 0), (Place{149, 149}));
}

}  // namespace
