#include <gtest/gtest.h>

#include <cmath>

#include "fiveview/FaceGeometry.h"
#include "fiveview/FiveViewRenderers.h"
#include "fiveview/TableSampling.h"
#include "support/FaceFixtures.h"
#include "support/ScopedRenderThreads.h"
#include "support/ScriptedProgress.h"

namespace {

// A direction whose picture azimuth is that of (u, v): u across, v up.
DomeDirection Dir(double a, double b, double z, double u, double v) {
    return {a, b, z, u, v};
}

TEST(FaceChoice, BoundsIncludeFortyFiveAndHundredThirtyFive) {
    const PolarGeometry dome(11, 11, 180, kDomeMaster), allSky(11, 11, 180, kAllSky);
    // b / z = 1 is exactly 45 degrees from the zenith: still the Top face.
    EXPECT_EQ(dome.ChooseFace(Dir(0.5, 1, 1, 0.9, 0.45)), kTop);
    EXPECT_EQ(dome.ChooseFace(Dir(1, 1, 1, 1, 1)), kTop);
    EXPECT_EQ(dome.ChooseFace(Dir(1, 1.0000001, 1, 1, 1)), kFront);
    // Azimuth 45 (|u| = v) is still the front of a 'Dome Master', the back of an All-sky.
    EXPECT_EQ(dome.ChooseFace(Dir(1, 1, 0.5, 1, 1)), kFront);
    EXPECT_EQ(allSky.ChooseFace(Dir(1, 1, 0.5, 1, 1)), kBack);
    EXPECT_EQ(dome.ChooseFace(Dir(1, -1, 0.5, -1, 1)), kFront);
    EXPECT_EQ(dome.ChooseFace(Dir(1, 1, 0.5, 1, 0.9999999)), kRight);
    // Azimuth 135 (|u| = -v) is still a side; beyond it the back.
    EXPECT_EQ(dome.ChooseFace(Dir(-1, 1, 0.5, 1, -1)), kRight);
    EXPECT_EQ(dome.ChooseFace(Dir(-1, -1, 0.5, -1, -1)), kLeft);
    EXPECT_EQ(dome.ChooseFace(Dir(-1, 1, 0.5, 1, -1.0000001)), kBack);
    EXPECT_EQ(allSky.ChooseFace(Dir(-1, 1, 0.5, -1, -1.0000001)), kFront);
    EXPECT_EQ(dome.ChooseFace(Dir(0, 1, 0.5, 1, 0)), kRight);
    EXPECT_EQ(dome.ChooseFace(Dir(0, -1, 0.5, -1, 0)), kLeft);
    EXPECT_EQ(dome.ChooseFace(Dir(-1, 0, 0.5, 0, -1)), kBack) << "straight down the picture";
    // Below the horizon the top face is never chosen, however small a and b are.
    EXPECT_EQ(dome.ChooseFace(Dir(0.1, 0, -0.5, 0, 1)), kFront);
}

// The arc-tangent form of the face choice, in degrees, as the bounds are usually written.
int ArcTangentFace(const DomeDirection& d, bool domeMaster) {
    constexpr double kDeg = 180 / 3.14159265358979323846;
    const double tb = std::atan2(d.b, d.z) * kDeg, ta = std::atan2(d.a, d.z) * kDeg;
    if (std::fabs(tb) <= 45 && std::fabs(ta) <= 45) return kTop;
    const double az = std::atan2(d.u, d.v) * kDeg;
    if (std::fabs(az) <= 45) return domeMaster ? kFront : kBack;
    if (std::fabs(az) > 135) return domeMaster ? kBack : kFront;
    return az > 0 ? kRight : kLeft;
}

// Comparing legs instead of angles changes a choice only where rounding decides an exact
// tie on a face edge: a pixel on a diagonal of the picture (|u| = |v|) or 45 degrees from
// the zenith (|a| = z or |b| = z), where the arc tangent's rounding and the legs' rounding
// may fall on different sides.
TEST(FaceChoice, AgreesWithTheArcTangentFormButForExactTies) {
    struct Case {
        int size;
        double sweep;
        PolarFormat format;
    } cases[] = {{2200, 180, kDomeMaster}, {2200, 180, kAllSky}, {1024, 180, kDomeMaster},
                 {1000, 200, kDomeMaster}, {513, 180, kAllSky},  {64, 220, kDomeMaster}};
    int ties = 0;
    for (const Case& c : cases) {
        const PolarGeometry geometry(c.size, c.size, c.sweep, c.format);
        for (int i = 0; i < c.size; ++i) {
            for (int j = 0; j < c.size; ++j) {
                const double u = geometry.U(j), v = geometry.V(i);
                if (!PolarGeometry::OnDisc(u, v)) continue;
                const DomeDirection d = geometry.Direction(u, v);
                if (geometry.ChooseFace(d) == ArcTangentFace(d, c.format == kDomeMaster)) continue;
                ++ties;
                // Exact in the mathematics, a few units in the last place apart in doubles.
                const auto same = [](double x, double y) { return std::fabs(x - y) < 1e-12; };
                const bool tie = same(std::fabs(u), std::fabs(v)) || same(std::fabs(d.a), d.z) ||
                                 same(std::fabs(d.b), d.z);
                EXPECT_TRUE(tie) << c.size << " px, sweep " << c.sweep << ": row " << i
                                 << " column " << j;
            }
        }
    }
    EXPECT_LT(ties, 300) << "ties are a few pixels on the edges, not areas";
}

// The batched location is the one-by-one location in stages, so every hit must be the same,
// the exact ties on diagonals and face edges included: all pixel centres and 5x positions of
// square and oblong pictures, both formats, sweeps that reach below the horizon, and faces of
// different sizes; batches of every length up to the full one.
TEST(FaceLocation, BatchesFindTheSameFacePixelsAsOneByOne) {
    FacePictures faces;
    for (int f = 0; f < kFaceCount; ++f) {
        ASSERT_TRUE(faces[f].Create(64 + 17 * f, 50 + 9 * f, 24, -1));
    }
    struct Case {
        int width, height;
        double sweep;
        PolarFormat format;
    } cases[] = {{301, 301, 180, kDomeMaster}, {300, 300, 220, kAllSky},
                 {257, 191, 360, kDomeMaster}, {1, 40, 180, kAllSky},
                 {64, 64, 0, kDomeMaster}};
    int compared = 0, differing = 0;
    for (const Case& c : cases) {
        const PolarGeometry geometry(c.width, c.height, c.sweep, c.format);
        for (int i = 0; i < c.height; ++i) {
            double u[PolarGeometry::kBatch], v[PolarGeometry::kBatch];
            FaceHit hits[PolarGeometry::kBatch];
            int count = 0;
            const auto flush = [&] {
                geometry.LocateBatch(faces, u, v, count, hits);
                for (int k = 0; k < count; ++k, ++compared) {
                    const FaceHit one = geometry.Locate(faces, u[k], v[k]);
                    const bool same = one.Found() == hits[k].Found() &&
                                      (!one.Found() || (one.face == hits[k].face &&
                                                        one.row == hits[k].row &&
                                                        one.column == hits[k].column));
                    if (!same) ++differing;
                }
                count = 0;
            };
            for (int j = 0; j < c.width; ++j) {
                double su[5], sv[5];
                SamplePattern<5>::Positions(geometry, j, i, su, sv);
                for (int s = 0; s < 5; ++s) {
                    u[count] = su[s];
                    v[count] = sv[s];
                    // Batches of changing length, the last of each row shorter.
                    if (++count == PolarGeometry::kBatch - i % 7) flush();
                }
            }
            flush();
        }
    }
    EXPECT_GT(compared, 400000);
    EXPECT_EQ(differing, 0);
}

TEST(FacePixel, TruncatesAndRefusesPositionsBeyondTheFace) {
    EXPECT_EQ(FacePixelIndex(-1.0, 10), 0);
    EXPECT_EQ(FacePixelIndex(1.0, 10), 9);
    EXPECT_EQ(FacePixelIndex(0.999999, 10), 8) << "only +1 reaches the last pixel";
    EXPECT_EQ(FacePixelIndex(0.0, 10), 4);
    EXPECT_EQ(FacePixelIndex(-1.0000001, 10), 0) << "truncation towards zero";
    EXPECT_EQ(FacePixelIndex(-1.3, 10), -1);
    EXPECT_EQ(FacePixelIndex(1.3, 10), -1);
    EXPECT_EQ(FacePixelIndex(NAN, 10), -1);
    EXPECT_EQ(FacePixelIndex(INFINITY, 10), -1);
    EXPECT_EQ(FacePixelIndex(0.7, 1), 0);
}

class PlainWorkedValues : public testing::Test {
  protected:
    void SetUp() override {
        MakeCoordinateFaces(faces, {{{9, 7}, {12, 8}, {10, 10}, {6, 8}, {11, 5}}});
    }
    CImage Render(int size, double sweep, PolarFormat format) {
        CImage output = MarkedOutput(size, size);
        ScriptedProgress progress;
        RenderPlain(output, SettingsFor(sweep, format), faces, progress);
        return output;
    }
    FacePictures faces;
};

TEST_F(PlainWorkedValues, CentreOfOddOutputReadsTopFaceCentre) {
    const CImage output = Render(5, 180, kDomeMaster);
    EXPECT_EQ(FacePixelOf(output, 2, 2), (ReadFacePixel{kTop, 4, 3}));
}

// A single column or row stands for the picture's centre line, so a one-pixel dome shows the
// zenith and a one-pixel-wide strip the meridian from Back to Front.
TEST_F(PlainWorkedValues, OnePixelWideOrHighOutputsLieOnTheCentreLine) {
    EXPECT_EQ(FacePixelOf(Render(1, 180, kDomeMaster), 0, 0), (ReadFacePixel{kTop, 4, 3}));
    CImage strip = MarkedOutput(1, 5);
    ScriptedProgress progress;
    RenderPlain(strip, SettingsFor(180, kDomeMaster), faces, progress);
    EXPECT_EQ(FacePixelOf(strip, 0, 2), (ReadFacePixel{kTop, 4, 3}));
    EXPECT_EQ(FacePixelOf(strip, 0, 4).face, kFront);
    EXPECT_EQ(FacePixelOf(strip, 0, 0).face, kBack);
}

TEST_F(PlainWorkedValues, RhoOfExactlyHalfIsOnTheDisc) {
    const CImage output = Render(3, 180, kDomeMaster);
    EXPECT_FALSE(Untouched(output, 2, 1));
    EXPECT_FALSE(Untouched(output, 1, 0));
    EXPECT_TRUE(Untouched(output, 2, 2)) << "corner: off the disc";
    EXPECT_TRUE(Untouched(output, 0, 0));
}

TEST_F(PlainWorkedValues, ZeroSweepShowsTopCentreEverywhere) {
    const CImage output = Render(9, 0, kAllSky);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            const double u = x / 8.0 - 0.5, v = y / 8.0 - 0.5;
            if (std::sqrt(u * u + v * v) > 0.5) continue;
            EXPECT_EQ(FacePixelOf(output, x, y), (ReadFacePixel{kTop, 4, 3})) << x << "," << y;
        }
    }
}

TEST_F(PlainWorkedValues, HemisphereRimReadsMiddleRowOfSideFaces) {
    const CImage dome = Render(101, 180, kDomeMaster);
    EXPECT_EQ(FacePixelOf(dome, 100, 50), (ReadFacePixel{kRight, 2, 3})) << "right edge: Right";
    EXPECT_EQ(FacePixelOf(dome, 0, 50), (ReadFacePixel{kLeft, 5, 3})) << "left edge: Left";
    EXPECT_EQ(FacePixelOf(dome, 50, 100), (ReadFacePixel{kFront, 5, 2})) << "top edge: Front";
    EXPECT_EQ(FacePixelOf(dome, 50, 0), (ReadFacePixel{kBack, 4, 4})) << "bottom edge: Back";
    const CImage allSky = Render(101, 180, kAllSky);
    EXPECT_EQ(FacePixelOf(allSky, 50, 100).face, kBack);
    EXPECT_EQ(FacePixelOf(allSky, 50, 0).face, kFront);
    EXPECT_EQ(FacePixelOf(allSky, 100, 50).face, kRight);
}

TEST_F(PlainWorkedValues, FullSweepNeverReadsOutsideAFace) {
    // Past about 250.5 degrees the rim looks below every side face; such pixels stay as they
    // were and no read leaves a face picture.
    const CImage output = Render(61, 360, kDomeMaster);
    EXPECT_TRUE(Untouched(output, 30, 0)) << "straight down";
    EXPECT_FALSE(Untouched(output, 30, 30));
}

// On one thread a cancel stops before the next row; with several, the rows other threads had
// in hand may be finished too (the frame is not saved either way).
TEST(PlainProgress, OneStepPerRowAndCancelStopsBeforeTheNextRow) {
    const ScopedRenderThreads oneThread(1);
    FacePictures faces;
    MakeUniformFaces(faces, 8, 200, 100, 50);
    CImage output = MarkedOutput(21, 21);
    ScriptedProgress all;
    RenderPlain(output, SettingsFor(180, kDomeMaster), faces, all);
    EXPECT_EQ(all.pumps, 21);
    EXPECT_EQ(all.steps, 21);
    EXPECT_EQ(all.Position(), 21);

    CImage partial = MarkedOutput(21, 21);
    ScriptedProgress cancelling(12);
    RenderPlain(partial, SettingsFor(180, kDomeMaster), faces, cancelling);
    EXPECT_EQ(cancelling.steps, 11);
    EXPECT_FALSE(Untouched(partial, 10, 10)) << "row 10 was rendered";
    EXPECT_TRUE(Untouched(partial, 10, 11)) << "row 11 keeps its old content";
}

TEST(Subsample5, OffDiscBlackRimDarkenedInteriorExact) {
    FacePictures faces;
    MakeUniformFaces(faces, 16, 200, 100, 50);
    CImage output = MarkedOutput(101, 101);
    ScriptedProgress progress;
    RenderSubsample5(output, SettingsFor(180, kDomeMaster), faces, progress);
    uint8_t r, g, b;
    output.GetRGB(0, 0, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(0, 0, 0)) << "written black off the disc";
    output.GetRGB(50, 50, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(200, 100, 50)) << "6c / 6";
    // Bottom rim: samples 3 and 4 lie below the disc.
    output.GetRGB(50, 0, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(4 * 200 / 6, 4 * 100 / 6, 4 * 50 / 6));
}

TEST(Ewa, WeightsFallExponentiallyWithDistance) {
    EwaWeights weights;
    BuildEwaWeights(weights, 4.0);
    EXPECT_EQ(weights[0], 1.0);
    EXPECT_DOUBLE_EQ(weights[1023], std::exp(-4.0 * std::sqrt(1023.0 / 1024.0)));
    EXPECT_DOUBLE_EQ(weights[256], std::exp(-2.0));
}

TEST(Ewa, DegenerateFootprintFallsBackToBilinear) {
    FacePictures faces;
    MakeCoordinateFaces(faces, {{{9, 7}, {12, 8}, {10, 10}, {6, 8}, {11, 5}}});
    EwaWeights weights;
    BuildEwaWeights(weights, 4.0);
    CImage output = MarkedOutput(15, 15);
    ScriptedProgress progress;
    RenderEwaRGB(output, SettingsFor(0, kDomeMaster), faces, weights, progress);
    EXPECT_EQ(progress.steps, 16) << "row -1 is stepped too";
    EXPECT_EQ(FacePixelOf(output, 7, 7), (ReadFacePixel{kTop, 4, 3}));
    EXPECT_EQ(FacePixelOf(output, 3, 7), (ReadFacePixel{kTop, 4, 3}));
    EXPECT_TRUE(Untouched(output, 0, 0));
    EXPECT_TRUE(Untouched(output, 14, 14));
}

TEST(Ewa, AlphaIsFilteredLikeColour) {
    FacePictures faces;
    for (CImage& face : faces) {
        face.Create(32, 32, 32, -1);
        face.Fill(90, 60, 30, 77);
    }
    EwaWeights weights;
    BuildEwaWeights(weights, 4.0);
    CImage output = MarkedOutput(41, 41);
    output.AllocAlpha();
    ScriptedProgress progress;
    RenderEwaRGBA(output, SettingsFor(212.58, kAllSky), faces, weights, progress);
    uint8_t r, g, b, a;
    for (auto [x, y] : {std::pair{20, 20}, {5, 20}, {20, 38}, {33, 9}}) {
        ASSERT_EQ(output.GetRGBA(x, y, r, g, b, a), 1);
        // A weighted mean of equal values, truncated: the value or one below it.
        EXPECT_NEAR(r, 90, 1);
        EXPECT_NEAR(a, 77, 1);
        EXPECT_LE(a, 77);
    }
    EXPECT_TRUE(Untouched(output, 0, 40));
}

TEST(Ewa, FullSweepStaysInsideTheFaces) {
    // Rim directions below every side face and neighbours across face seams give extreme
    // footprints; every written pixel must still come from face pixels (the sanitizer build
    // checks that no conversion or index goes astray).
    FacePictures faces;
    MakeUniformFaces(faces, 12, 180, 120, 60);
    EwaWeights weights;
    BuildEwaWeights(weights, 4.0);
    CImage output = MarkedOutput(51, 51);
    ScriptedProgress progress;
    RenderEwaRGB(output, SettingsFor(360, kDomeMaster), faces, weights, progress);
    int written = 0;
    for (int y = 0; y < 51; ++y) {
        for (int x = 0; x < 51; ++x) {
            if (Untouched(output, x, y)) continue;
            ++written;
            uint8_t r, g, b;
            output.GetRGB(x, y, r, g, b);
            ASSERT_NEAR(r, 180, 1) << x << "," << y;
            ASSERT_NEAR(b, 60, 1) << x << "," << y;
        }
    }
    EXPECT_GT(written, 51 * 51 * 3 / 4 - 60);
}

}  // namespace
