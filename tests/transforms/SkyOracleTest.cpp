#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "mapdoc/MosaDoc.h"
#include "support/RecordingMessages.h"
#include "transforms/AmbivuePolar.h"
#include "transforms/HammerAitoff.h"
#include "transforms/RectPolar.h"
#include "transforms/TransformFixtures.h"

// Every transform is checked against the sky: its source is the sky rendered into the source
// projection, and each output pixel must show the sky in the direction the target projection
// gives that pixel. Pixels whose samples could straddle a colour edge are not judged.
namespace {

using sky::Anchor;

constexpr double kMinimumRate = 0.999;

void Expect(const Tally& tally, const char* name, int minimumJudged) {
    tally.Print(name);
    EXPECT_GT(tally.judged, minimumJudged) << name << ": too few pixels judged to mean much";
    EXPECT_GE(tally.Rate(), kMinimumRate) << name;
}

// Half the diagonal of a source cell plus the reach of the four sub-samples, in degrees.
double Margin(double cellAcross, double cellUp, double subsampleReach) {
    return 0.5 * std::hypot(cellAcross, cellUp) + subsampleReach + 0.05;
}

// Zenith degrees that the sub-samples of a polar picture reach from a pixel's grid point.
double PolarSubsampleReach(int w, int h, double span) {
    return span * std::hypot(1.0 / (3 * w), 1.0 / (3 * h));
}

double AltitudeOf(const sky::Vec3& d) {
    return Degrees(
        std::asin(std::clamp(d.z / std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z), -1.0, 1.0)));
}
double AzimuthOf(const sky::Vec3& d) {
    return Degrees(std::atan2(d.x, d.y));
}

// A polar target: black beyond the rim, inside(direction) within it, pixels on the rim not
// judged.
Tally ComparePolar(const CImage& output, const sky::PolarPicture& target,
                   const std::function<Expected(const sky::Vec3&)>& inside) {
    const double rimBand = 2.0 / std::min(target.width, target.height);
    return CompareEach(output, target.width, target.height, [&](int column, int row) {
        double x, y;
        target.DiscPoint(column, row, x, y);
        const double r = std::hypot(x, y);
        if (std::fabs(r - 1) < rimBand) return Expected{};
        if (r > 1) return Expected{true, {}};
        sky::Vec3 d;
        target.Direction(column, row, d);
        return inside(d);
    });
}

std::function<Expected(const sky::Vec3&)> SkyBeyond(double margin) {
    return [margin](const sky::Vec3& d) {
        if (sky::EdgeDistance(d) < margin) return Expected{};
        return Expected{true, sky::ColourOf(d)};
    };
}

struct RectCase {
    const char* name;
    int width;
    int height;
    int rotation;
};

class RectToPolarOracle : public testing::TestWithParam<RectCase> {};

TEST_P(RectToPolarOracle, DiscShowsThePanoramaSky) {
    const RectCase c = GetParam();
    CImage panorama, polar;
    sky::Render(panorama, sky::Panorama{c.width, c.height, Anchor::kCell});
    polar.Create(c.width, c.height, 24, -1);
    XformSettings settings;
    settings.rotation = c.rotation;
    RectToPolar(panorama, polar, settings);
    const sky::PolarPicture target{c.width, c.height, Anchor::kGrid, 90,
                                   static_cast<double>(c.rotation)};
    const double margin =
        Margin(360.0 / c.width, 90.0 / (c.height - 1), PolarSubsampleReach(c.width, c.height, 90));
    Expect(ComparePolar(polar, target, SkyBeyond(margin)), c.name, c.width * c.height / 3);
}

INSTANTIATE_TEST_SUITE_P(Rects, RectToPolarOracle,
                         testing::Values(RectCase{"Square", 400, 400, 0},
                                         RectCase{"TurnedClockwise30", 400, 400, 30},
                                         RectCase{"TurnedMinus100", 400, 400, -100},
                                         RectCase{"TwoToOneEllipse", 720, 360, 0}),
                         [](const auto& info) { return info.param.name; });

TEST(PolarToRectOracle, PanoramaShowsTheDiscSky) {
    const int size = 512;
    CImage polar, panorama;
    sky::Render(polar, sky::PolarPicture{size, size, Anchor::kCell});
    panorama.Create(size, size, 24, -1);
    PolarToRect(polar, panorama, XformSettings{});
    const double cell = 180.0 / size;
    const double margin =
        Margin(cell, cell, std::hypot(Degrees(1.0 / (3 * size)), 90.0 / (3 * size)));
    Expect(CompareWithSky(panorama, sky::Panorama{size, size, Anchor::kGrid}, Fixed(margin)),
           "PolarToRect", size * size / 3);
}

constexpr OffMapColour kOffMap{7, 77, 177};

// Inside the disc: the band's sky, the off-map colour outside the band, nothing judged near
// the band's borders.
std::function<Expected(const sky::Vec3&)> BandOrOffMap(const XformSettings& s, double margin) {
    return [s, margin](const sky::Vec3& d) {
        const double el = AltitudeOf(d), az = AzimuthOf(d);
        const double azBorder =
            std::min(std::fabs(az - s.azimuthFrom), std::fabs(az - s.azimuthTo));
        if (std::fabs(el - s.elevationFrom) < margin || std::fabs(el - s.elevationTo) < margin ||
            azBorder * std::cos(el * 3.141592653589793 / 180) < margin) {
            return Expected{};
        }
        const bool inBand =
            el > s.elevationFrom && el < s.elevationTo && az > s.azimuthFrom && az < s.azimuthTo;
        if (!inBand)
            return Expected{true,
                            {uint8_t(kOffMap.red), uint8_t(kOffMap.green), uint8_t(kOffMap.blue)}};
        return SkyBeyond(margin)(d);
    };
}

struct AmbivueCase {
    const char* name;
    unsigned span;
    int rotation;
};

class AmbivueToPolarOracle : public testing::TestWithParam<AmbivueCase> {};

TEST_P(AmbivueToPolarOracle, DiscShowsTheBandAndOffMapElsewhere) {
    const AmbivueCase c = GetParam();
    const int size = 400;
    CImage band, polar;
    sky::Render(band, sky::AmbivueBand{800, 240, Anchor::kCell});
    polar.Create(size, size, 24, -1);
    XformSettings settings;
    settings.polarSpan = c.span;
    settings.clockwiseRotation = c.rotation;
    settings.offMap = kOffMap;
    AmbivueToPolar(band, polar, settings);
    const sky::PolarPicture target{size, size, Anchor::kGrid, static_cast<double>(c.span),
                                   static_cast<double>(c.rotation)};
    const double margin = Margin(200.0 / 800, 60.0 / 240, PolarSubsampleReach(size, size, c.span));
    Expect(ComparePolar(polar, target, BandOrOffMap(settings, margin)), c.name, size * size / 3);
}

INSTANTIATE_TEST_SUITE_P(Bands, AmbivueToPolarOracle,
                         testing::Values(AmbivueCase{"Defaults", 90, 0},
                                         AmbivueCase{"TurnedClockwise30", 90, 30},
                                         AmbivueCase{"Span45TurnedMinus400", 45, -400}),
                         [](const auto& info) { return info.param.name; });

struct PolarAmbivueCase {
    const char* name;
    unsigned span;
    int rotation;
};

class PolarToAmbivueOracle : public testing::TestWithParam<PolarAmbivueCase> {};

TEST_P(PolarToAmbivueOracle, BandShowsTheDiscSkyAndBlackBeyondItsRim) {
    const PolarAmbivueCase c = GetParam();
    const int size = 600;
    const sky::AmbivueBand target{800, 240, Anchor::kGrid};
    CImage polar, band;
    // The band undoes the disc's turn, so it shows the sky as it is.
    sky::Render(polar, sky::PolarPicture{size, size, Anchor::kCell, static_cast<double>(c.span),
                                         static_cast<double>(-c.rotation)});
    band.Create(target.width, target.height, 24, -1);
    XformSettings settings;
    settings.polarSpan = c.span;
    settings.clockwiseRotation = c.rotation;
    PolarToAmbivue(polar, band, settings);
    const double cell = c.span * 2.0 / size;
    const double margin =
        Margin(cell, cell, std::hypot(Degrees(1.0 / (3 * 800)), 90.0 / (3 * 240)));
    const Tally tally = CompareEach(band, target.width, target.height, [&](int column, int row) {
        sky::Vec3 d;
        target.Direction(column, row, d);
        const double zenithDistance = 90 - AltitudeOf(d);
        if (std::fabs(zenithDistance - c.span) < margin) return Expected{};
        if (zenithDistance > c.span) return Expected{true, {}};
        return SkyBeyond(margin)(d);
    });
    Expect(tally, c.name, target.width * target.height / 3);
}

INSTANTIATE_TEST_SUITE_P(Discs, PolarToAmbivueOracle,
                         testing::Values(PolarAmbivueCase{"Defaults", 90, 0},
                                         PolarAmbivueCase{"TurnedClockwise40", 90, 40},
                                         PolarAmbivueCase{"Span60ReachesElevation30", 60, 0}),
                         [](const auto& info) { return info.param.name; });

class HammerAitoffOracle : public testing::TestWithParam<bool> {};

TEST_P(HammerAitoffOracle, HemisphereShowsTheMapSky) {
    const bool north = GetParam();
    const int size = 401;
    CImage map, polar;
    sky::Render(map, sky::HammerAitoffMap{1024, 512});
    polar.Create(size, size, 24, -1);
    XformSettings settings;
    settings.hemisphere = north ? kNorthHemisphere : kSouthHemisphere;
    HammerAitoffToPolar(map, polar, settings);
    // One map cell is 360 / 1024 degrees across at the centre; the ellipse's far sides squeeze
    // longitudes, so the margin grows towards them.
    const auto margin = [](const sky::Vec3& d) {
        const double stretch =
            1 / std::max(0.25, std::cos(AzimuthOf(d) / 2 * 3.141592653589793 / 180));
        return 0.5 * std::hypot(360.0 / 1024, 180.0 / 511) * stretch + 0.05;
    };
    Expect(CompareWithSky(polar, sky::HemispherePicture{size, size, north}, margin),
           north ? "HammerAitoffNorth" : "HammerAitoffSouth", size * size / 3);
}

INSTANTIATE_TEST_SUITE_P(Hemispheres, HammerAitoffOracle, testing::Bool(),
                         [](const auto& info) { return info.param ? "North" : "South"; });

TEST(MapFisheyeOracle, RectangleShowsTheFisheyeSkyAndBlackOutsideIt) {
    const sky::FisheyePicture lens{1200, 675, 146, 82.125, 20};
    CImage fisheye;
    sky::Render(fisheye, lens);
    PanSettings pan;
    pan.width = 601;
    pan.height = 271;
    pan.azimuthLeft = -100;
    pan.azimuthRight = 100;
    pan.altitudeBottom = -10;
    pan.altitudeTop = 80;
    pan.antiAliasing = 0;
    RecordingMessages messages;
    CMosaDoc document;
    ASSERT_TRUE(document.OnNewDocument(pan, messages));
    document.MapFisheye(fisheye, FisheyeParams{lens.horizontalFov, lens.verticalFov, lens.tilt});

    // The lens seen from outside the mapper: its axis, its right and its downward directions.
    const double t = lens.tilt * 3.141592653589793 / 180;
    const sky::Vec3 axis{0, std::cos(t), std::sin(t)}, right{1, 0, 0},
        down{0, std::sin(t), -std::cos(t)};
    const auto dot = [](const sky::Vec3& a, const sky::Vec3& b) {
        return a.x * b.x + a.y * b.y + a.z * b.z;
    };
    const double halfW = lens.width / 2, halfH = lens.height / 2;
    const double pixelsPerDegree = std::min(halfW / lens.horizontalFov, halfH / lens.verticalFov);
    const sky::MapRectangle target{pan.width,        pan.height,         pan.azimuthLeft,
                                   pan.azimuthRight, pan.altitudeBottom, pan.altitudeTop};
    const Tally tally =
        CompareEach(document.Image(), target.width, target.height, [&](int column, int row) {
            sky::Vec3 d;
            target.Direction(column, row, d);
            const double theta = std::acos(std::clamp(dot(d, axis), -1.0, 1.0));
            if (Degrees(theta) > 110) return Expected{};
            const double k = 2 * Degrees(theta);
            const double x = halfW + k * dot(d, right) / lens.horizontalFov * halfW;
            const double y = halfH - k * dot(d, down) / lens.verticalFov * halfH;
            const double inside =
                std::min({x + 0.5, lens.width - 0.5 - x, y + 0.5, lens.height - 0.5 - y});
            if (std::fabs(inside) < 1) return Expected{};
            if (inside < 0) return Expected{true, {}};
            // Reading the nearest pixel errs by up to 0.71 pixels, radially or around the axis.
            const double scale =
                2 * pixelsPerDegree * std::min(theta, std::sin(theta) + theta * std::cos(theta));
            if (sky::EdgeDistance(d) < 0.75 / scale + 0.05) return Expected{};
            return Expected{true, sky::ColourOf(d)};
        });
    Expect(tally, "MapFisheye", target.width * target.height / 3);
}

}  // namespace
