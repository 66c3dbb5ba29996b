#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>

#include "fiveview/FiveViewRenderers.h"
#include "sky/SkyCube.h"
#include "support/FaceFixtures.h"
#include "support/ScriptedProgress.h"

namespace {

constexpr int kFaceSize = 256;

// The direction an output pixel stands for, worked out from the picture's definition alone:
// an equidistant fisheye with the zenith at the centre and the rim at half the sweep; north
// towards the top edge for 'Dome Master' (towards the bottom for All-sky), east to the right.
sky::Vec3 PixelDirection(int x, int y, int width, int height, double sweep, int format) {
    const double u = static_cast<double>(x) / (width - 1) - 0.5;
    const double v = static_cast<double>(y) / (height - 1) - 0.5;
    const double zenithAngle = 2 * std::hypot(u, v) * sweep / 2 * std::numbers::pi / 180;
    const double azimuth = std::atan2(u, v);
    const double north = std::sin(zenithAngle) * std::cos(azimuth);
    return {std::sin(zenithAngle) * std::sin(azimuth), format == kDomeMaster ? north : -north,
            std::cos(zenithAngle)};
}

struct OracleCase {
    const char* name;
    int width;
    int height;
    double sweep;
    PolarFormat format;
    int mode;
};

class SkyOracle : public testing::TestWithParam<OracleCase> {
  protected:
    static void SetUpTestSuite() { sky::RenderFaces(faces, kFaceSize, kFaceSize); }
    static FacePictures faces;
};
FacePictures SkyOracle::faces;

// Angular size of a face pixel at the face centre, in degrees.
constexpr double kFacePixel = 2.0 / (kFaceSize - 1) * 180 / std::numbers::pi;

TEST_P(SkyOracle, DiscPixelsShowTheSkyOfTheirDirection) {
    const OracleCase c = GetParam();
    const FiveViewSettings settings = SettingsFor(c.sweep, c.format);
    CImage output = MarkedOutput(c.width, c.height);
    ScriptedProgress progress;
    EwaWeights weights;
    BuildEwaWeights(weights, 4.0);
    switch (c.mode) {
        case kNoAA:
            RenderPlain(output, settings, faces, progress);
            break;
        case kSubsample5:
            RenderSubsample5(output, settings, faces, progress);
            break;
        default:
            RenderEwaRGB(output, settings, faces, weights, progress);
            break;
    }
    // Pixels whose sample could straddle a colour edge are not judged: a face pixel, a third
    // of an output pixel for 5x, and the filter's footprint for EWA.
    const double outputPixel = c.sweep / std::min(c.width, c.height);
    const double margin = c.mode == kNoAA  ? 1.5 * kFacePixel
                          : c.mode == kEwa ? 1.5 * kFacePixel + outputPixel
                                           : 1.5 * kFacePixel + 0.5 * outputPixel;
    // 5x pixels on the rim mix in black samples from beyond the disc on purpose.
    const double rimBand = c.mode == kSubsample5 ? 0.5 / std::min(c.width, c.height) : 0;
    const int tolerance = c.mode == kEwa ? 1 : 0;  // a truncated weighted mean of equal values
    int disc = 0, judged = 0, matched = 0;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const double u = static_cast<double>(x) / (c.width - 1) - 0.5;
            const double v = static_cast<double>(y) / (c.height - 1) - 0.5;
            if (std::hypot(u, v) > 0.5) continue;
            ++disc;
            if (std::hypot(u, v) > 0.5 - rimBand) continue;
            const sky::Vec3 d = PixelDirection(x, y, c.width, c.height, c.sweep, c.format);
            if (sky::EdgeDistance(d) < margin) continue;
            ++judged;
            const sky::Rgb want = sky::ColourOf(d);
            uint8_t r, g, b;
            output.GetRGB(x, y, r, g, b);
            if (std::abs(r - want.r) <= tolerance && std::abs(g - want.g) <= tolerance &&
                std::abs(b - want.b) <= tolerance) {
                ++matched;
            }
        }
    }
    const double rate = judged ? static_cast<double>(matched) / judged : 0;
    std::printf(
        "[ oracle   ] %s: %d of %d judged disc pixels match (%.4f%%), %d near edges skipped\n",
        c.name, matched, judged, 100 * rate, disc - judged);
    RecordProperty("match_rate", std::to_string(rate));
    EXPECT_GT(judged, disc / (c.mode == kEwa ? 5 : 3))
        << "too few pixels judged for the comparison to mean much";
    EXPECT_GE(rate, 0.9995);
}

INSTANTIATE_TEST_SUITE_P(
    Renders, SkyOracle,
    testing::Values(OracleCase{"DomeMaster180Plain", 301, 301, 180, kDomeMaster, kNoAA},
                    OracleCase{"AllSky180Plain", 301, 301, 180, kAllSky, kNoAA},
                    OracleCase{"DomeMaster21258Plain", 301, 301, 212.58, kDomeMaster, kNoAA},
                    OracleCase{"AllSky21258Plain", 301, 301, 212.58, kAllSky, kNoAA},
                    OracleCase{"DomeMasterWidePlain", 360, 240, 180, kDomeMaster, kNoAA},
                    OracleCase{"AllSkyTall5x", 220, 330, 212.58, kAllSky, kSubsample5},
                    OracleCase{"DomeMaster5x", 301, 301, 180, kDomeMaster, kSubsample5},
                    OracleCase{"DomeMasterEwa", 301, 301, 180, kDomeMaster, kEwa},
                    OracleCase{"AllSky21258Ewa", 257, 257, 212.58, kAllSky, kEwa}),
    [](const testing::TestParamInfo<OracleCase>& info) { return info.param.name; });

TEST(SkyOracleMirror, AllSkyIsDomeMasterUpsideDown) {
    FacePictures faces;
    sky::RenderFaces(faces, 128, 128);
    CImage dome = MarkedOutput(151, 151), allSky = MarkedOutput(151, 151);
    ScriptedProgress progress;
    RenderPlain(dome, SettingsFor(200, kDomeMaster), faces, progress);
    RenderPlain(allSky, SettingsFor(200, kAllSky), faces, progress);
    int differing = 0;
    for (int y = 0; y < 151; ++y) {
        for (int x = 0; x < 151; ++x) {
            uint8_t r1, g1, b1, r2, g2, b2;
            dome.GetRGB(x, y, r1, g1, b1);
            allSky.GetRGB(x, 150 - y, r2, g2, b2);
            if (r1 != r2 || g1 != g2 || b1 != b2) ++differing;
        }
    }
    // Only points that land exactly on a face-pixel boundary may round differently.
    EXPECT_LT(differing, 151 * 151 / 200);
}

}  // namespace
