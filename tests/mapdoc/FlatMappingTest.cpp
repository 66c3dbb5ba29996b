#include <gtest/gtest.h>

#include <cmath>

#include "mapdoc/FlatMapping.h"
#include "mapdoc/PanSettings.h"
#include "support/FaceFixtures.h"
#include "support/ScriptedProgress.h"
#include "util/Angles.h"

namespace {

// A patch picture whose pixels tell where they are: red = column, green = row.
std::unique_ptr<CImage> CoordinatePicture(int width, int height) {
    auto picture = std::make_unique<CImage>();
    picture->Create(width, height, 24, -1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) picture->SetRGB(x, y, x, y, 99);
    }
    return picture;
}

MapGrid Grid(int width, int height, double left, double right, double bottom, double top,
             Vec3d eye = {}) {
    MapGrid grid;
    grid.width = width;
    grid.height = height;
    grid.azimuthLeft = left;
    grid.azimuthRight = right;
    grid.altitudeBottom = bottom;
    grid.altitudeTop = top;
    grid.eye = eye;
    return grid;
}

void ExpectNear(const Vec3d& a, const Vec3d& b) {
    EXPECT_NEAR(a.x, b.x, 1e-12);
    EXPECT_NEAR(a.y, b.y, 1e-12);
    EXPECT_NEAR(a.z, b.z, 1e-12);
}

TEST(CameraBasis, RollNinetyTurnsRightIntoUp) {
    const Patch level(nullptr, 0, 30, 40, 90, 90), rolled(nullptr, 90, 30, 40, 90, 90);
    const CameraBasis b0 = BasisOf(level), b90 = BasisOf(rolled);
    ExpectNear(b90.u, b0.v);
    ExpectNear(b90.v, {-b0.u.x, -b0.u.y, -b0.u.z});
    ExpectNear(b90.w, b0.w);
    EXPECT_NEAR(Dot(b0.u, b0.v), 0, 1e-12);
    EXPECT_NEAR(Dot(b0.u, b0.w), 0, 1e-12);
    EXPECT_NEAR(b0.th, 1.0, 1e-12) << "tan 45";
}

// Off-centre eyepoint: the right edge at mid-height of a 90 x 90 view straight ahead meets the
// horizon at azimuth 24.295 degrees (t = 0.41144 along the ray from the eyepoint).
TEST(FlatMapping, EyepointHalfwayForwardSeesRightEdgeAtTwentyFourDegrees) {
    const Vec3d eye{0, 0, 0.5};
    const double t = 0.41144;
    const Vec3d exit{t * 1, 0, 0.5 + t * 1};  // E + t (U + W) for U = +x, W = +z
    EXPECT_NEAR(Dot(exit, exit), 1.0, 1e-4);
    EXPECT_NEAR(std::atan2(exit.x, exit.z) * kRadToDeg, 24.295, 1e-3);

    // 3601 columns over -180..180: a tenth of a degree per column.
    const MapGrid grid = Grid(3601, 3, -180, 180, -1, 1, eye);
    const Patch patch(CoordinatePicture(64, 64), 0, 0, 0, 90, 90);
    const CameraBasis basis = BasisOf(patch);
    int row = -1, column = -1;
    ASSERT_TRUE(PatchToPixel(grid, basis.th, 0, basis, row, column));
    EXPECT_EQ(column, static_cast<int>((24.295 + 180) * 10 + 0.5));
    EXPECT_EQ(row, 1);

    uint8_t rgb[3];
    EXPECT_TRUE(SampleDirection(grid, basis, *patch.image, 24.29, 0, rgb));
    EXPECT_EQ(rgb[0], 63) << "the last column";
    EXPECT_FALSE(SampleDirection(grid, basis, *patch.image, 24.30, 0, rgb));
    EXPECT_TRUE(SampleDirection(grid, basis, *patch.image, -24.29, 0, rgb));
    EXPECT_EQ(rgb[0], 0);
    EXPECT_FALSE(SampleDirection(grid, basis, *patch.image, -24.30, 0, rgb));
    // Straight ahead of the eyepoint: the centre pixel.
    EXPECT_TRUE(SampleDirection(grid, basis, *patch.image, 0, 0, rgb));
    EXPECT_EQ(rgb[0], 32);
    EXPECT_EQ(rgb[1], 32);
}

TEST(FlatMapping, CentredEyepointReadsTangentColumnsOnTheHorizon) {
    const MapGrid grid = Grid(181, 3, -90, 90, -1, 1);
    const int wp = 100, hp = 50;
    const Patch patch(CoordinatePicture(wp, hp), 0, 0, 0, 90, 90);
    CImage rectangle;
    rectangle.Create(grid.width, grid.height, 24, -1);
    ASSERT_TRUE(MapPatchInto(rectangle, grid, patch, nullptr));
    int checked = 0;
    for (int column = 0; column < grid.width; ++column) {
        const double az = -90 + column;
        uint8_t r = 0, g = 0, b = 0;
        rectangle.GetRGB(column, 1, r, g, b);
        if (std::fabs(az) > 45) {
            EXPECT_EQ(b, 0) << "outside the view: left black, az " << az;
            continue;
        }
        if (std::fabs(az) == 45) continue;  // the edges have their own test
        const double position = (std::tan(az * kDegToRad) + 1) * wp / 2;
        if (std::fabs(position - std::round(position)) < 1e-9) continue;  // on a pixel border
        EXPECT_EQ(r, static_cast<int>(position)) << "az " << az;
        EXPECT_EQ(g, hp / 2);
        ++checked;
    }
    EXPECT_GT(checked, 80);
}

TEST(FlatMapping, EdgesIncludeLeftAndBottomExcludeRightAndTop) {
    const MapGrid grid = Grid(3, 3, -1, 1, -1, 1);
    const Patch patch(CoordinatePicture(10, 10), 0, 0, 0, 90, 90);
    const CameraBasis basis = BasisOf(patch);
    uint8_t rgb[3];
    // Exactly on the image plane's left (a = -1) and right (a = +1) edges at the horizon.
    EXPECT_TRUE(SampleDirection(grid, basis, *patch.image, -45, 0, rgb));
    EXPECT_EQ(rgb[0], 0);
    EXPECT_FALSE(SampleDirection(grid, basis, *patch.image, 45, 0, rgb));
    EXPECT_TRUE(SampleDirection(grid, basis, *patch.image, 0, -45, rgb));
    EXPECT_EQ(rgb[1], 0);
    EXPECT_FALSE(SampleDirection(grid, basis, *patch.image, 0, 45, rgb));
    EXPECT_FALSE(SampleDirection(grid, basis, *patch.image, 180, 0, rgb)) << "behind the camera";
}

TEST(FlatMapping, ViewsLookingHigherThanFortyFiveScanToTheTopRow) {
    const MapGrid grid = Grid(360, 91, -180, 180, 0, 90);
    const Patch at45(CoordinatePicture(8, 8), 0, 45, 0, 20, 20),
        at46(CoordinatePicture(8, 8), 0, 46, 0, 20, 20);
    EXPECT_LT(ScanBox(grid, at45, BasisOf(at45)).maxRow, 90);
    EXPECT_EQ(ScanBox(grid, at46, BasisOf(at46)).maxRow, 90);
    const PixelBox box = ScanBox(grid, at45, BasisOf(at45));
    EXPECT_LE(box.minRow, 35 - 2) << "outline plus two pixels";
    EXPECT_GE(box.maxRow, 55 + 2);
}

TEST(FlatMapping, EyepointOnTheSphereScansTheWholeRectangle) {
    const MapGrid grid = Grid(40, 20, -100, 100, 0, 60, {1, 0, 0});
    const Patch patch(CoordinatePicture(8, 8), 0, 0, 0, 90, 90);
    const PixelBox box = ScanBox(grid, patch, BasisOf(patch));
    EXPECT_EQ(box.minRow, 0);
    EXPECT_EQ(box.maxRow, 19);
    EXPECT_EQ(box.minColumn, 0);
    EXPECT_EQ(box.maxColumn, 39);
}

TEST(FlatMapping, OnePixelPatchesAndRectanglesStayFinite) {
    const Patch thin(CoordinatePicture(1, 1), 0, 0, 0, 90, 90);
    const MapGrid grid = Grid(50, 20, -100, 100, 0, 60);
    const PixelBox box = ScanBox(grid, thin, BasisOf(thin));
    EXPECT_GE(box.minColumn, 0);
    EXPECT_LE(box.maxColumn, 49);
    EXPECT_GT(box.maxColumn, box.minColumn);

    const MapGrid single = Grid(1, 1, 10, 50, 0, 60);
    CImage rectangle;
    rectangle.Create(1, 1, 24, -1);
    const Patch wide(CoordinatePicture(30, 30), 0, 0, 10, 90, 90);
    ASSERT_TRUE(MapPatchInto(rectangle, single, wide, nullptr));
    uint8_t r, g, b;
    rectangle.GetRGB(0, 0, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(15, 15, 99))
        << "the one pixel stands at the left and bottom limits: straight ahead";
}

TEST(FlatMapping, BorderPixelsTakeOnlyTheSamplesThatHit) {
    // A uniform patch whose edge crosses rectangle pixels: an edge pixel with at least one hit
    // gets the patch colour itself, never a blend with what was there.
    for (int mode : {kMap4x, kMap7x}) {
        MapGrid grid = Grid(91, 91, -45.5, 44.5, -45.5, 44.5);
        grid.antiAliasing = mode;
        auto picture = std::make_unique<CImage>();
        picture->Create(16, 16, 24, -1);
        picture->Fill(200, 100, 50, 0);
        const Patch patch(std::move(picture), 0, 0, 0, 60, 60);
        CImage rectangle;
        rectangle.Create(grid.width, grid.height, 24, -1);
        rectangle.Fill(1, 2, 3, 0);
        MapPatchInto(rectangle, grid, patch, nullptr);
        int patchColoured = 0, untouched = 0;
        for (int y = 0; y < grid.height; ++y) {
            for (int x = 0; x < grid.width; ++x) {
                uint8_t r, g, b;
                rectangle.GetRGB(x, y, r, g, b);
                const bool isPatch = r == 200 && g == 100 && b == 50;
                const bool isOld = r == 1 && g == 2 && b == 3;
                ASSERT_TRUE(isPatch || isOld) << "mode " << mode << " at " << x << "," << y;
                patchColoured += isPatch;
                untouched += isOld;
            }
        }
        EXPECT_GT(patchColoured, 50 * 50);
        EXPECT_GT(untouched, 0);
    }
}

TEST(FlatMapping, CancelStopsAtTheNextRow) {
    const MapGrid grid = Grid(60, 40, -60, 60, -40, 40);
    const Patch patch(CoordinatePicture(16, 16), 0, 0, 0, 90, 90);
    CImage rectangle;
    rectangle.Create(grid.width, grid.height, 24, -1);
    ScriptedProgress progress(3);
    EXPECT_FALSE(MapPatchInto(rectangle, grid, patch, &progress));
    EXPECT_EQ(progress.pumps, 3);
}

}  // namespace
