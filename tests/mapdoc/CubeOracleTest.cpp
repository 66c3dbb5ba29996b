#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "mapdoc/FourViewPan.h"
#include "sky/SkyCube.h"
#include "util/Angles.h"

namespace {

constexpr int kFace = 200;
constexpr int kSkyFaces[kCubeViewCount] = {kLeft, kFront, kRight, kTop};

enum class Sight { kHit, kNoView, kOnBorder };

// Where a line of sight from the eyepoint meets the cube of views around the eyepoint: the
// face its largest component points into, and the pixel there. Worked out from the cube
// alone (world x east, y north, z up), not from the mapping's camera basis.
Sight CubePixel(const sky::Vec3& d, int& view, int& column, int& row) {
    const double ax = std::fabs(d.x), ay = std::fabs(d.y), az = std::fabs(d.z);
    double p, q, forward;
    if (az >= ax && az >= ay) {
        if (d.z <= 0) return Sight::kNoView;  // no view looks down
        view = 3;
        forward = d.z;
        p = d.x;
        q = -d.y;
    } else if (ay >= ax) {
        if (d.y <= 0) return Sight::kNoView;  // no view looks south
        view = 1;
        forward = d.y;
        p = d.x;
        q = d.z;
    } else {
        view = d.x > 0 ? 2 : 0;
        forward = ax;
        p = d.x > 0 ? -d.y : d.y;
        q = d.z;
    }
    const double x = (p / forward + 1) / 2 * kFace, y = (q / forward + 1) / 2 * kFace;
    // Lines of sight within a hair of a pixel border could round either way.
    if (std::fabs(x - std::round(x)) < 1e-6 || std::fabs(y - std::round(y)) < 1e-6) {
        return Sight::kOnBorder;
    }
    column = static_cast<int>(x);
    row = static_cast<int>(y);
    return column >= 0 && column < kFace && row >= 0 && row < kFace ? Sight::kHit : Sight::kNoView;
}

// The sky's Left, Center, Right and Up views as the four-view pan takes them.
CubeViewPatches SkyCubeViews() {
    CubeViewPatches patches = MakeCubeViewPatches();
    for (int view = 0; view < kCubeViewCount; ++view) {
        patches[view].image = std::make_unique<CImage>();
        sky::RenderFace(*patches[view].image, kSkyFaces[view], kFace, kFace);
    }
    return patches;
}

// A panorama from azimuth -135 to 135 and altitude -30 up to top.
MapGrid Grid(int width, int height, double top) {
    MapGrid grid;
    grid.width = width;
    grid.height = height;
    grid.azimuthLeft = -135;
    grid.azimuthRight = 135;
    grid.altitudeBottom = -30;
    grid.altitudeTop = top;
    return grid;
}

CImage MapAll(const CubeViewPatches& patches, const MapGrid& grid) {
    CImage rectangle;
    rectangle.Create(grid.width, grid.height, 24, -1);
    for (const Patch& patch : patches) MapPatchInto(rectangle, grid, patch, nullptr);
    return rectangle;
}

struct EyeCase {
    const char* name;
    Vec3d eye;
};

class CubeOracle : public testing::TestWithParam<EyeCase> {};

TEST_P(CubeOracle, EveryPixelShowsWhereItsLineOfSightMeetsTheViews) {
    const Vec3d eye = GetParam().eye;
    const CubeViewPatches patches = SkyCubeViews();
    MapGrid grid = Grid(361, 121, 89);
    grid.eye = eye;
    const CImage rectangle = MapAll(patches, grid);

    int judged = 0, matched = 0;
    for (int row = 0; row < grid.height; ++row) {
        for (int column = 0; column < grid.width; ++column) {
            const double az = (grid.azimuthLeft + column * grid.AzimuthStep()) * kDegToRad;
            const double alt = (grid.altitudeBottom + row * grid.AltitudeStep()) * kDegToRad;
            // The dome point in the world frame, and the line of sight to it.
            const sky::Vec3 point{std::sin(az) * std::cos(alt), std::cos(az) * std::cos(alt),
                                  std::sin(alt)};
            const sky::Vec3 line{point.x - eye.x, point.y - eye.z, point.z - eye.y};
            int view, x, y;
            uint8_t want[3] = {0, 0, 0};
            const Sight sight = CubePixel(line, view, x, y);
            if (sight == Sight::kOnBorder) continue;
            if (sight == Sight::kHit) patches[view].image->GetRGB(x, y, want[0], want[1], want[2]);
            ++judged;
            uint8_t got[3];
            rectangle.GetRGB(column, row, got[0], got[1], got[2]);
            matched += got[0] == want[0] && got[1] == want[1] && got[2] == want[2];
        }
    }
    const double rate = static_cast<double>(matched) / judged;
    std::printf("[ oracle   ] eyepoint %s: %d of %d pixels match (%.3f%%)\n", GetParam().name,
                matched, judged, 100 * rate);
    EXPECT_GT(judged, grid.width * grid.height * 9 / 10);
    // Where two views meet, a line of sight on the seam may be claimed by either.
    EXPECT_GE(rate, 0.998);
}

TEST(CubeOracleSky, CentredEyepointReproducesTheAnalyticSky) {
    MapGrid grid = Grid(541, 181, 60);
    grid.antiAliasing = kMap7x;
    const CImage rectangle = MapAll(SkyCubeViews(), grid);
    // Skip pixels within a face pixel (and the 7x footprint) of a colour edge.
    const double margin = 1.5 * 2.0 / kFace * kRadToDeg + 0.5;
    int judged = 0, matched = 0;
    for (int row = 0; row < grid.height; ++row) {
        for (int column = 0; column < grid.width; ++column) {
            const double az = grid.azimuthLeft + column * grid.AzimuthStep();
            const double alt = grid.altitudeBottom + row * grid.AltitudeStep();
            const sky::Vec3 d = sky::DirectionOf(az, alt);
            if (sky::EdgeDistance(d) < margin) continue;
            ++judged;
            const sky::Rgb want = sky::ColourOf(d);
            sky::Rgb got;
            rectangle.GetRGB(column, row, got.r, got.g, got.b);
            matched += got == want;
        }
    }
    std::printf("[ oracle   ] analytic sky, 7x: %d of %d judged pixels match\n", matched, judged);
    EXPECT_GT(judged, grid.width * grid.height / 4);
    EXPECT_GE(static_cast<double>(matched) / judged, 0.9995);
}

INSTANTIATE_TEST_SUITE_P(Eyepoints, CubeOracle,
                         testing::Values(EyeCase{"Centre", {0, 0, 0}},
                                         EyeCase{"OffCentre", {0.2, 0.15, -0.3}}),
                         [](const testing::TestParamInfo<EyeCase>& info) {
                             return info.param.name;
                         });

}  // namespace
