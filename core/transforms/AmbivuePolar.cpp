#include "transforms/AmbivuePolar.h"

#include <cmath>

#include "transforms/DeepTransforms.h"
#include "transforms/FourPointSampling.h"

namespace {

// The band in the units of the routines: azimuths in radians, elevations as zenith distances
// in fractions of 90 degrees.
struct Band {
    double zMin;
    double zMax;
    double azMin;
    double azMax;
};

Band BandOf(const XformSettings& settings) {
    return {(90 - settings.elevationTo) * (1.0 / 90), (90 - settings.elevationFrom) * (1.0 / 90),
            settings.azimuthFrom * kDegToRad, settings.azimuthTo * kDegToRad};
}

bool NoBand(const Band& band) {
    return band.zMax - band.zMin < 0.00001;
}

}  // namespace

namespace {

template <typename Pixels>
void AmbivueToPolarOn(const typename Pixels::Picture& source, typename Pixels::Picture& destination,
                      const XformSettings& settings) {
    const Band band = BandOf(settings);
    if (NoBand(band) || !HasPixels(source) || !HasPixels(destination)) return;
    const int w = destination.Width(), h = destination.Height();
    const double ws = source.Width(), hs = source.Height();
    const double s = settings.polarSpan * (1.0 / 90);
    // Whole turns removed first, so that the angle below needs at most two corrections.
    const double rot = WholeTurnsRemoved(settings.clockwiseRotation) * kDegToRad;
    FillFourPointOn<Pixels>(
        source, destination, settings.offMap,
        [w, h](int j, int i) {
            return BasePoint{2.0 * j / w - 1, 2.0 * i / h - 1};
        },
        [&band, ws, hs, s, rot](double a, double b, double& column, double& row) {
            const double r = std::sqrt(b * b + a * a);
            if (r > 1) return SampleKind::kMiss;
            const double z = r * s;
            double theta = std::atan2(a, -b) + rot;
            while (theta > kPi) theta -= kTwoPi;
            while (theta < -kPi) theta += kTwoPi;
            if (band.azMin <= theta && theta < band.azMax && band.zMin < z && z <= band.zMax) {
                column = (theta - band.azMin) * ws / (band.azMax - band.azMin);
                row = (band.zMax - z) * hs / (band.zMax - band.zMin);
                return SampleKind::kHit;
            }
            return SampleKind::kOffMap;
        });
}

template <typename Pixels>
void PolarToAmbivueOn(const typename Pixels::Picture& source, typename Pixels::Picture& destination,
                      const XformSettings& settings) {
    const Band band = BandOf(settings);
    if (NoBand(band) || !HasPixels(source) || !HasPixels(destination)) return;
    const int w = destination.Width(), h = destination.Height();
    const double ws = source.Width(), hs = source.Height();
    const double k = 90.0 / settings.polarSpan;
    const double rot = settings.clockwiseRotation * kDegToRad;
    FillFourPointOn<Pixels>(
        source, destination, {},
        [&band, &settings, w, h](int j, int i) {
            const double e = GridValue(settings.elevationFrom, settings.elevationTo, i, h);
            return BasePoint{GridValue(band.azMin, band.azMax, j, w), (90 - e) * (1.0 / 90)};
        },
        [&band, ws, hs, k, rot](double a, double b, double& column, double& row) {
            const double rho = b * k;
            if (rho > 1) return SampleKind::kMiss;
            if (a < band.azMin || a > band.azMax) return SampleKind::kMiss;
            const double phi = -a - kHalfPi - rot;
            column = (1 - rho * std::cos(phi)) * ws * 0.5;
            row = (1 + rho * std::sin(phi)) * hs * 0.5;
            return SampleKind::kHit;
        });
}

}  // namespace

void AmbivueToPolar(const CImage& source, CImage& destination, const XformSettings& settings) {
    AmbivueToPolarOn<EightBitPixels>(source, destination, settings);
}

void AmbivueToPolarDeep(const DeepPicture& source, DeepPicture& destination,
                        const XformSettings& settings) {
    AmbivueToPolarOn<DeepPixels>(source, destination, settings);
}

void PolarToAmbivue(const CImage& source, CImage& destination, const XformSettings& settings) {
    PolarToAmbivueOn<EightBitPixels>(source, destination, settings);
}

void PolarToAmbivueDeep(const DeepPicture& source, DeepPicture& destination,
                        const XformSettings& settings) {
    PolarToAmbivueOn<DeepPixels>(source, destination, settings);
}
