#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>

#include "mapdoc/FisheyeMapping.h"
#include "transforms/AmbivuePolar.h"
#include "transforms/HammerAitoff.h"
#include "transforms/RectPolar.h"
#include "transforms/TransformFixtures.h"

namespace {

constexpr double kPi = 3.141592653589793;

// A rectangle whose column c lies at azimuth -180 + c and row r at altitude r.
MapGrid DegreeGrid() {
    MapGrid grid;
    grid.width = 361;
    grid.height = 91;
    grid.azimuthLeft = -180;
    grid.azimuthRight = 180;
    grid.altitudeBottom = 0;
    grid.altitudeTop = 90;
    return grid;
}

Place FisheyePixelSeen(const CImage& fisheye, const FisheyeParams& params, int azimuth,
                       int altitude) {
    const MapGrid grid = DegreeGrid();
    CImage rectangle;
    rectangle.Create(grid.width, grid.height, 24, -1);
    MapFisheyeInto(rectangle, grid, fisheye, params);
    return CodedPlace(rectangle, azimuth + 180, altitude);
}

TEST(MapFisheyeWorkedValues, PresetsOnAFullHdFisheye) {
    CImage fisheye;
    FillCoded(fisheye, 1920, 1080);
    const FisheyeParams presets;
    // Azimuth 30, altitude 20: theta 28.152 degrees, k 56.304.
    EXPECT_EQ(FisheyePixelSeen(fisheye, presets, 30, 20), (Place{1134, 556}));
    // Along the axis: the centre pixel.
    EXPECT_EQ(FisheyePixelSeen(fisheye, presets, 0, 20), (Place{960, 540}));
    // Tilt 0, straight up: above the picture unless the vertical field exceeds 180 degrees.
    EXPECT_EQ(FisheyePixelSeen(fisheye, {146, 82.125, 0}, 0, 90), (Place{-1, -1}));
    EXPECT_EQ(FisheyePixelSeen(fisheye, {146, 200, 0}, 0, 90), (Place{960, 1026}));
}

TEST(MapFisheyeWorkedValues, OddWidthCentresOnTheTruncatedHalf) {
    CImage fisheye;
    FillCoded(fisheye, 1001, 801);
    EXPECT_EQ(FisheyePixelSeen(fisheye, {}, 0, 20), (Place{500, 400}));
}

TEST(MapFisheyeWorkedValues, DirectionsBehindTheLensStillLandSomewhere) {
    // Azimuth 150 at the horizon lies 144.5 degrees off an axis tilted by 20: with fields of
    // view of 400 degrees it lands right of and above the centre, inside the picture.
    CImage fisheye;
    FillCoded(fisheye, 801, 801);
    const Place seen = FisheyePixelSeen(fisheye, {400, 400, 20}, 150, 0);
    EXPECT_GT(seen.x, 400);
    EXPECT_GT(seen.y, 400);
}

class HammerAitoffWorkedValues : public testing::Test {
  protected:
    void SetUp() override {
        FillCoded(source, 1025, 513);
        for (CImage* polar : {&north, &south}) {
            polar->Create(kSize, kSize, 24, -1);
            polar->Fill(kUnwritten.r, kUnwritten.g, kUnwritten.b, 0);
        }
        XformSettings settings;
        settings.hemisphere = kNorthHemisphere;
        HammerAitoffToPolar(source, north, settings);
        settings.hemisphere = kSouthHemisphere;
        HammerAitoffToPolar(source, south, settings);
    }
    static constexpr int kSize = 513;
    static constexpr sky::Rgb kUnwritten{1, 2, 3};
    CImage source, north, south;
};

TEST_F(HammerAitoffWorkedValues, PolesAtTheCentreAndTheEquatorOnTheHalfSizeCircle) {
    // The north pole is the source's top middle, the south pole its bottom middle (the pole's
    // longitude is undefined, so the middle column may come out one off).
    const Place northPole = CodedPlace(north, 256, 256), southPole = CodedPlace(south, 256, 256);
    EXPECT_NEAR(northPole.x, 512, 1);
    EXPECT_GE(northPole.y, 511);
    EXPECT_NEAR(southPole.x, 512, 1);
    EXPECT_EQ(southPole.y, 0);
    // Bottom middle of the rim: latitude 0, longitude 0, the source's centre.
    EXPECT_EQ(CodedPlace(north, 256, 0), (Place{512, 256}));
    EXPECT_EQ(CodedPlace(south, 256, 0), (Place{512, 256}));
    // The two pictures mirror each other about the vertical line through the centre.
    EXPECT_EQ(CodedPlace(north, 100, 300).x, CodedPlace(south, 412, 300).x);
}

TEST_F(HammerAitoffWorkedValues, PixelsBeyondTwoPixelsPastTheEquatorAreNotWritten) {
    // Distances from the centre (normalised): 0.5110 and 0.5027; the limit is 0.5 + 2/513.
    EXPECT_EQ(PixelOf(north, 71, 71), kUnwritten);
    EXPECT_NE(PixelOf(north, 74, 74), kUnwritten);
    EXPECT_EQ(PixelOf(south, 0, kSize - 1), kUnwritten);
    // Just outside the equator the latitude runs below it, still read from the map.
    EXPECT_NE(CodedPlace(north, 74, 74), (Place{-1, -1}));
}

constexpr sky::Rgb kBandColour{200, 30, 30};
constexpr OffMapColour kOffMap{10, 10, 120};
constexpr sky::Rgb kOffMapRgb{10, 10, 120};

struct RingCase {
    unsigned span;
    double innerRadius;  // elevation 60 lies at (90 - 60) / span of the radius
};

class AmbivueRing : public testing::TestWithParam<RingCase> {};

TEST_P(AmbivueRing, BandFillsTheRingOverTheSectorAroundTheBottom) {
    const RingCase c = GetParam();
    CImage band, polar;
    FillColour(band, 400, 120, kBandColour);
    polar.Create(512, 512, 24, -1);
    XformSettings settings;
    settings.polarSpan = c.span;
    settings.offMap = kOffMap;
    AmbivueToPolar(band, polar, settings);
    const double near = 2.0 / 512;  // a pixel: the average of samples on both sides
    const Tally tally = CompareEach(polar, 512, 512, [&](int j, int i) {
        const double x = 2.0 * j / 512 - 1, y = 2.0 * i / 512 - 1;
        const double r = std::hypot(x, y);
        const double t = std::atan2(x, -y) * 180 / kPi;  // 0 at the bottom
        const double sector = std::fabs(std::fabs(t) - 100) * kPi / 180 * r;
        if (std::fabs(r - 1) < near || std::fabs(r - c.innerRadius) < near || sector < near) {
            return Expected{};
        }
        if (r > 1) return Expected{true, {}};
        const bool inBand = r > c.innerRadius && std::fabs(t) < 100;
        return Expected{true, inBand ? kBandColour : kOffMapRgb};
    });
    EXPECT_GT(tally.judged, 512 * 512 * 9 / 10);
    EXPECT_EQ(tally.matched, tally.judged);
}

INSTANTIATE_TEST_SUITE_P(Spans, AmbivueRing,
                         testing::Values(RingCase{90, 1.0 / 3}, RingCase{45, 2.0 / 3}),
                         [](const auto& info) { return "Span" + std::to_string(info.param.span); });

// The elevation whose zenith fraction, worked out as the routines do, is exactly z.
double ElevationAt(double z) {
    double e = 90 - z * 90;
    for (int step = 0; step < 64; ++step) {
        const double fraction = (90 - e) * (1.0 / 90);
        if (fraction == z) return e;
        e = std::nextafter(e, fraction < z ? -1000.0 : 1000.0);
    }
    ADD_FAILURE() << "no elevation gives zenith fraction " << z;
    return e;
}

TEST(AmbivueBandEdges, TopEdgeIsOffMapAndBottomEdgeIsBand) {
    // A one-pixel polar picture has a single sub-sample inside the disc, (-2/3, -2/3).
    const double a = -1 + (1.0 / 3) / 1;
    const double z = std::sqrt(a * a + a * a) * (90 * (1.0 / 90));
    CImage band, polar;
    FillColour(band, 40, 20, kBandColour);
    polar.Create(1, 1, 24, -1);
    XformSettings settings;
    settings.offMap = kOffMap;

    settings.elevationTo = ElevationAt(z);  // z == zMin
    settings.elevationFrom = settings.elevationTo - 30;
    AmbivueToPolar(band, polar, settings);
    EXPECT_EQ(PixelOf(polar, 0, 0), kOffMapRgb);

    settings.elevationFrom = ElevationAt(z);  // z == zMax
    settings.elevationTo = settings.elevationFrom + 30;
    AmbivueToPolar(band, polar, settings);
    EXPECT_EQ(PixelOf(polar, 0, 0), kBandColour);
}

TEST(AmbivueBandEdges, NoElevationBandWritesNothing) {
    CImage band, polar, ambivue;
    FillColour(band, 40, 20, kBandColour);
    FillColour(polar, 32, 32, {1, 2, 3});
    FillColour(ambivue, 32, 16, {1, 2, 3});
    XformSettings settings;
    settings.offMap = kOffMap;
    settings.elevationFrom = settings.elevationTo = 0;
    AmbivueToPolar(band, polar, settings);
    PolarToAmbivue(band, ambivue, settings);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(PixelOf(polar, i, i), (sky::Rgb{1, 2, 3}));
        EXPECT_EQ(PixelOf(ambivue, i, i / 2), (sky::Rgb{1, 2, 3}));
    }
}

// Pixels of two pictures that differ.
int Differing(const CImage& a, const CImage& b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) count += PixelOf(a, x, y) == PixelOf(b, x, y) ? 0 : 1;
    }
    return count;
}

CImage RectToPolarTurned(const CImage& panorama, int rotation) {
    CImage polar;
    polar.Create(panorama.Width(), panorama.Height(), 24, -1);
    XformSettings settings;
    settings.rotation = rotation;
    RectToPolar(panorama, polar, settings);
    return polar;
}

TEST(RectToPolarRotation, WholeTurnsAndNegativeAnglesTurnAlike) {
    CImage panorama;
    sky::Render(panorama, sky::Panorama{240, 120, sky::Anchor::kCell});
    EXPECT_EQ(Differing(RectToPolarTurned(panorama, -90), RectToPolarTurned(panorama, 270)), 0);
    EXPECT_EQ(Differing(RectToPolarTurned(panorama, 360), RectToPolarTurned(panorama, 0)), 0);
    EXPECT_EQ(Differing(RectToPolarTurned(panorama, 725), RectToPolarTurned(panorama, 5)), 0);
    EXPECT_GT(Differing(RectToPolarTurned(panorama, 90), RectToPolarTurned(panorama, 0)),
              240 * 120 / 4);
}

TEST(AmbivueToPolarRotation, HugeTurnsTakeNoLongerThanSmallOnes) {
    CImage band, polar;
    sky::Render(band, sky::AmbivueBand{200, 60, sky::Anchor::kCell});
    polar.Create(64, 64, 24, -1);
    XformSettings settings;
    settings.clockwiseRotation = INT_MAX;
    const auto start = std::chrono::steady_clock::now();
    AmbivueToPolar(band, polar, settings);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    CImage same;
    same.Create(64, 64, 24, -1);
    settings.clockwiseRotation = INT_MAX % 360;
    AmbivueToPolar(band, same, settings);
    EXPECT_EQ(Differing(polar, same), 0);
}

TEST(OnePixelPictures, TheOnlyColumnAndRowLieAtTheFirstLimit) {
    CImage polar, rect;
    FillCoded(polar, 300, 300);
    rect.Create(1, 1, 24, -1);
    PolarToRect(polar, rect, XformSettings{});
    // One sub-sample counts: azimuth -180 + 1/3 radian at radius 2/3. Azimuth 0 points to the
    // bottom edge and 90 to the right, so x = r sin(azimuth) and y = -r cos(azimuth).
    const double azimuth = -kPi + 1.0 / 3, r = 2.0 / 3;
    const Place expected{static_cast<int>((1 + r * std::sin(azimuth)) * 150),
                         static_cast<int>((1 - r * std::cos(azimuth)) * 150)};
    EXPECT_EQ(CodedPlace(rect, 0, 0), expected);

    // The same for the band: azimuth -100 degrees + 1/3 radian, and the horizon's radius 1
    // less a third.
    CImage band;
    band.Create(1, 1, 24, -1);
    PolarToAmbivue(polar, band, XformSettings{});
    const double bandAzimuth = -100 * kPi / 180 + 1.0 / 3;
    const Place bandExpected{static_cast<int>((1 + r * std::sin(bandAzimuth)) * 150),
                             static_cast<int>((1 - r * std::cos(bandAzimuth)) * 150)};
    EXPECT_EQ(CodedPlace(band, 0, 0), bandExpected);
}

TEST(OnePixelPictures, EveryRoutineWritesOnlySourceColoursOrBlack) {
    using Routine = void (*)(const CImage&, CImage&, const XformSettings&);
    const Routine routines[] = {RectToPolar, PolarToRect, AmbivueToPolar, PolarToAmbivue,
                                HammerAitoffToPolar};
    const int shapes[][2] = {{1, 1}, {1, 7}, {7, 1}, {9, 9}};
    // A band over the whole sky: no sky is off the map.
    XformSettings wholeSky;
    wholeSky.azimuthFrom = -180;
    wholeSky.azimuthTo = 180;
    wholeSky.elevationFrom = -90;
    wholeSky.elevationTo = 90;
    for (Routine routine : routines) {
        for (const auto& sourceShape : shapes) {
            for (const auto& outputShape : shapes) {
                CImage source, output;
                FillColour(source, sourceShape[0], sourceShape[1], kBandColour);
                FillColour(output, outputShape[0], outputShape[1], {1, 2, 3});
                routine(source, output, wholeSky);
                for (int y = 0; y < outputShape[1]; ++y) {
                    for (int x = 0; x < outputShape[0]; ++x) {
                        const sky::Rgb c = PixelOf(output, x, y);
                        EXPECT_TRUE(c == kBandColour || c == sky::Rgb{} ||
                                    (routine == HammerAitoffToPolar && c == sky::Rgb{1, 2, 3}))
                            << int(c.r) << "," << int(c.g) << "," << int(c.b);
                    }
                }
            }
        }
    }
}

}  // namespace
