#include <gtest/gtest.h>

#include <algorithm>

#include "mapdoc/MosaDoc.h"
#include "support/RecordingMessages.h"
#include "transforms/AmbivuePolar.h"
#include "transforms/HammerAitoff.h"
#include "transforms/RectPolar.h"
#include "transforms/TransformFixtures.h"

// Every transform against the sky: the source is the sky rendered into the source projection,
// and each output pixel must show the sky in the direction the target projection gives it.
// Pixels whose samples could straddle a colour edge are not judged: the margin is half a
// source cell's diagonal plus the reach of the sub-samples, in degrees.
namespace {

using sky::Anchor;

void ExpectSky(const Tally& tally, const std::string& name) {
    tally.Print(name.c_str());
    EXPECT_GT(tally.judged, tally.pixels / 3) << name << ": too few pixels judged";
    EXPECT_GE(tally.Rate(), 0.999) << name;
}

double Margin(double cellAcross, double cellUp, double reach) {
    return 0.5 * std::hypot(cellAcross, cellUp) + reach + 0.05;
}

// Zenith degrees the sub-samples of a polar picture reach from a pixel's grid point.
double PolarReach(int size, double span) {
    return span * std::sqrt(2.0) / (3 * size);
}

double AltitudeOf(const sky::Vec3& d) {
    return std::asin(std::clamp(d.z / std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z), -1.0, 1.0)) *
           kDegrees;
}

// A polar target: black beyond the rim, inside(direction) within it; the rim is not judged.
Tally ComparePolar(const CImage& output, const sky::PolarPicture& target,
                   const std::function<Expected(const sky::Vec3&)>& inside) {
    return CompareEach(output, target.width, target.height, [&](int column, int row) {
        double x, y;
        target.DiscPoint(column, row, x, y);
        const double r = std::hypot(x, y);
        if (std::fabs(r - 1) < 2.0 / std::min(target.width, target.height)) return Expected{};
        if (r > 1) return Expected{true, {}};
        sky::Vec3 d;
        target.Direction(column, row, d);
        return inside(d);
    });
}

struct TurnCase {
    int width;
    int height;
    int rotation;
    unsigned span;
};

std::string NameOf(const testing::TestParamInfo<TurnCase>& info) {
    const TurnCase& c = info.param;
    return std::to_string(c.width) + "x" + std::to_string(c.height) + "Turned" +
           (c.rotation < 0 ? "Minus" + std::to_string(-c.rotation) : std::to_string(c.rotation)) +
           "Span" + std::to_string(c.span);
}

class RectToPolarOracle : public testing::TestWithParam<TurnCase> {};

TEST_P(RectToPolarOracle, DiscShowsThePanoramaSky) {
    const TurnCase c = GetParam();
    CImage panorama, polar = Blank(c.width, c.height);
    sky::Render(panorama, sky::Panorama{c.width, c.height, Anchor::kCell});
    XformSettings settings;
    settings.rotation = c.rotation;
    RectToPolar(panorama, polar, settings);
    const double margin = Margin(360.0 / c.width, 90.0 / (c.height - 1), PolarReach(c.height, 90));
    const sky::PolarPicture target{c.width, c.height, Anchor::kGrid, 90, double(c.rotation)};
    ExpectSky(
        ComparePolar(polar, target, [margin](const sky::Vec3& d) { return SkyAt(d, margin); }),
        "RectToPolar" + NameOf({c, 0}));
}

// A 2:1 rectangle gives a 2:1 picture with an elliptical disc.
INSTANTIATE_TEST_SUITE_P(Rects, RectToPolarOracle,
                         testing::Values(TurnCase{400, 400, 0, 90}, TurnCase{400, 400, 30, 90},
                                         TurnCase{400, 400, -100, 90}, TurnCase{720, 360, 0, 90}),
                         NameOf);

TEST(PolarToRectOracle, PanoramaShowsTheDiscSky) {
    const int size = 512;
    CImage polar, panorama = Blank(size, size);
    sky::Render(polar, sky::PolarPicture{size, size, Anchor::kCell});
    PolarToRect(polar, panorama, XformSettings{});
    const double margin =
        Margin(180.0 / size, 180.0 / size, 90.0 / (3 * size) + kDegrees / (3 * size));
    const sky::Panorama target{size, size, Anchor::kGrid};
    ExpectSky(CompareEach(panorama, size, size,
                          [&](int column, int row) {
                              sky::Vec3 d;
                              target.Direction(column, row, d);
                              return SkyAt(d, margin);
                          }),
              "PolarToRect");
}

constexpr sky::Rgb kOffMap{7, 77, 177};

class AmbivueToPolarOracle : public testing::TestWithParam<TurnCase> {};

// With the default limits the band fills the ring from radius (90 - 60) / span to the rim
// over the 200 degrees around the bottom; the rest of the disc is off the map.
TEST_P(AmbivueToPolarOracle, DiscShowsTheBandAndOffMapElsewhere) {
    const TurnCase c = GetParam();
    CImage band, polar = Blank(c.width, c.height);
    sky::Render(band, sky::AmbivueBand{800, 240, Anchor::kCell});
    XformSettings s;
    s.polarSpan = c.span;
    s.clockwiseRotation = c.rotation;
    s.offMap = {kOffMap.r, kOffMap.g, kOffMap.b};
    AmbivueToPolar(band, polar, s);
    const double margin = Margin(200.0 / 800, 60.0 / 240, PolarReach(c.width, c.span));
    const sky::PolarPicture target{c.width, c.height, Anchor::kGrid, double(c.span),
                                   double(c.rotation)};
    const Tally tally = ComparePolar(polar, target, [&](const sky::Vec3& d) {
        const double el = AltitudeOf(d), az = std::atan2(d.x, d.y) * kDegrees;
        const double toSide = std::min(std::fabs(az - s.azimuthFrom), std::fabs(az - s.azimuthTo));
        if (std::fabs(el - s.elevationFrom) < margin || std::fabs(el - s.elevationTo) < margin ||
            toSide * std::cos(el / kDegrees) < margin) {
            return Expected{};
        }
        const bool inBand =
            el > s.elevationFrom && el < s.elevationTo && az > s.azimuthFrom && az < s.azimuthTo;
        return inBand ? SkyAt(d, margin) : Expected{true, kOffMap};
    });
    ExpectSky(tally, "AmbivueToPolar" + NameOf({c, 0}));
}

INSTANTIATE_TEST_SUITE_P(Bands, AmbivueToPolarOracle,
                         testing::Values(TurnCase{400, 400, 0, 90}, TurnCase{400, 400, 30, 90},
                                         TurnCase{400, 400, -400, 45}),
                         NameOf);

class PolarToAmbivueOracle : public testing::TestWithParam<TurnCase> {};

TEST_P(PolarToAmbivueOracle, BandShowsTheDiscSkyAndBlackBeyondItsRim) {
    const TurnCase c = GetParam();
    const sky::AmbivueBand target{c.width, c.height, Anchor::kGrid};
    // A disc turned by -R: the band, turning it back by R, shows the sky as it is.
    CImage polar, band = Blank(c.width, c.height);
    sky::Render(polar,
                sky::PolarPicture{600, 600, Anchor::kCell, double(c.span), double(-c.rotation)});
    XformSettings settings;
    settings.polarSpan = c.span;
    settings.clockwiseRotation = c.rotation;
    PolarToAmbivue(polar, band, settings);
    const double margin =
        Margin(c.span / 300.0, c.span / 300.0, 90.0 / (3 * c.height) + kDegrees / (3 * c.width));
    const Tally tally = CompareEach(band, c.width, c.height, [&](int column, int row) {
        sky::Vec3 d;
        target.Direction(column, row, d);
        const double zenithDistance = 90 - AltitudeOf(d);
        if (std::fabs(zenithDistance - c.span) < margin) return Expected{};
        return zenithDistance > c.span ? Expected{true, {}} : SkyAt(d, margin);
    });
    ExpectSky(tally, "PolarToAmbivue" + NameOf({c, 0}));
}

INSTANTIATE_TEST_SUITE_P(Discs, PolarToAmbivueOracle,
                         testing::Values(TurnCase{800, 240, 0, 90}, TurnCase{800, 240, 40, 90},
                                         TurnCase{800, 240, 0, 60}),
                         NameOf);

class HammerAitoffOracle : public testing::TestWithParam<bool> {};

TEST_P(HammerAitoffOracle, HemisphereShowsTheMapSky) {
    const bool north = GetParam();
    const int size = 401;
    CImage map, polar = Blank(size, size);
    sky::Render(map, sky::HammerAitoffMap{1024, 512});
    XformSettings settings;
    settings.hemisphere = north ? kNorthHemisphere : kSouthHemisphere;
    HammerAitoffToPolar(map, polar, settings);
    const sky::HemispherePicture target{size, size, north};
    const Tally tally = CompareEach(polar, size, size, [&](int column, int row) {
        sky::Vec3 d;
        if (!target.Direction(column, row, d)) return Expected{true, {}};
        // Longitudes crowd towards the ellipse's ends, where cells grow.
        const double crowding = 1 / std::max(0.25, std::cos(std::atan2(d.x, d.y) / 2));
        return SkyAt(d, Margin(360.0 / 1024, 180.0 / 511, 0) * crowding);
    });
    ExpectSky(tally, north ? "HammerAitoffNorth" : "HammerAitoffSouth");
}

INSTANTIATE_TEST_SUITE_P(Hemispheres, HammerAitoffOracle, testing::Bool(),
                         [](const auto& info) { return info.param ? "North" : "South"; });

double Dot(const sky::Vec3& a, const sky::Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

TEST(MapFisheyeOracle, RectangleShowsTheFisheyeSkyAndBlackOutsideIt) {
    const sky::FisheyePicture lens{1200, 675, 146, 82.125, 20};
    CImage fisheye;
    sky::Render(fisheye, lens);
    const PanSettings pan{-100, 100, -10, 80, 271, 601, 0, 0, 0, 0};
    RecordingMessages messages;
    CMosaDoc document;
    ASSERT_TRUE(document.OnNewDocument(pan, messages));
    document.MapFisheye(fisheye, {lens.horizontalFov, lens.verticalFov, lens.tilt});

    // The lens seen from outside the mapper: its axis, right and downward directions.
    const double t = lens.tilt / kDegrees;
    const sky::Vec3 axis{0, std::cos(t), std::sin(t)}, right{1, 0, 0},
        down{0, std::sin(t), -std::cos(t)};
    const double halfW = lens.width / 2, halfH = lens.height / 2;
    const double pixelsPerDegree = std::min(halfW / lens.horizontalFov, halfH / lens.verticalFov);
    const sky::MapRectangle target{pan.width,        pan.height,         pan.azimuthLeft,
                                   pan.azimuthRight, pan.altitudeBottom, pan.altitudeTop};
    const Tally tally =
        CompareEach(document.Image(), pan.width, pan.height, [&](int column, int row) {
            sky::Vec3 d;
            target.Direction(column, row, d);
            const double theta = std::acos(std::clamp(Dot(d, axis), -1.0, 1.0));
            if (theta * kDegrees > 110) return Expected{};
            const double k = 2 * theta * kDegrees;
            const double x = halfW + k * Dot(d, right) / lens.horizontalFov * halfW;
            const double y = halfH - k * Dot(d, down) / lens.verticalFov * halfH;
            const double inside =
                std::min({x + 0.5, lens.width - 0.5 - x, y + 0.5, lens.height - 0.5 - y});
            if (std::fabs(inside) < 1) return Expected{};
            if (inside < 0) return Expected{true, {}};
            // The nearest pixel is up to 0.71 pixels off, radially or around the axis.
            const double scale =
                2 * pixelsPerDegree * std::min(theta, std::sin(theta) + theta * std::cos(theta));
            return SkyAt(d, 0.75 / scale + 0.05);
        });
    ExpectSky(tally, "MapFisheye");
}

}  // namespace
