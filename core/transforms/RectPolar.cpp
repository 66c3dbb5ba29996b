#include "transforms/RectPolar.h"

#include <cmath>

#include "transforms/DeepTransforms.h"
#include "transforms/FourPointSampling.h"

namespace {

template <typename Pixels>
void RectToPolarOn(const typename Pixels::Picture& source, typename Pixels::Picture& destination,
                   const XformSettings& settings) {
    if (!HasPixels(source) || !HasPixels(destination)) return;
    const int w = destination.Width(), h = destination.Height();
    const double ws = source.Width(), hs = source.Height();
    const double rot = WholeTurnsRemoved(settings.rotation) * kDegToRad;
    FillFourPointOn<Pixels>(
        source, destination, {},
        [w, h](int j, int i) {
            return BasePoint{2.0 * j / w - 1, 2.0 * i / h - 1};
        },
        [ws, hs, rot](double a, double b, double& column, double& row) {
            const double r = std::sqrt(b * b + a * a);
            if (r > 1) return SampleKind::kMiss;
            double theta = std::atan2(a, -b) + kPi + rot;
            if (theta > kTwoPi) theta -= kTwoPi;
            column = theta / kTwoPi * ws;
            // A full turn is the first column again, not one past the last.
            if (column >= ws) column -= ws;
            row = (1 - r) * (hs - 1);
            return SampleKind::kHit;
        });
}

template <typename Pixels>
void PolarToRectOn(const typename Pixels::Picture& source, typename Pixels::Picture& destination,
                   const XformSettings& settings) {
    if (!HasPixels(source) || !HasPixels(destination)) return;
    const int w = destination.Width(), h = destination.Height();
    const double ws = source.Width(), hs = source.Height();
    const double rot = settings.rotation * kDegToRad;
    FillFourPointOn<Pixels>(
        source, destination, {},
        [w, h](int j, int i) {
            return BasePoint{GridValue(-kPi, kPi, j, w), GridValue(1, 0, i, h)};
        },
        [ws, hs, rot](double a, double b, double& column, double& row) {
            // A radius just below 0 (the top row's upper samples) reaches across the centre.
            if (b > 1 || a < -kPi || a > kPi) return SampleKind::kMiss;
            const double phi = -a - kHalfPi - rot;
            column = (1 - b * std::cos(phi)) * ws * 0.5;
            row = (1 + b * std::sin(phi)) * hs * 0.5;
            return SampleKind::kHit;
        });
}

}  // namespace

void RectToPolar(const CImage& source, CImage& destination, const XformSettings& settings) {
    RectToPolarOn<EightBitPixels>(source, destination, settings);
}

void RectToPolarDeep(const DeepPicture& source, DeepPicture& destination,
                     const XformSettings& settings) {
    RectToPolarOn<DeepPixels>(source, destination, settings);
}

void PolarToRect(const CImage& source, CImage& destination, const XformSettings& settings) {
    PolarToRectOn<EightBitPixels>(source, destination, settings);
}

void PolarToRectDeep(const DeepPicture& source, DeepPicture& destination,
                     const XformSettings& settings) {
    PolarToRectOn<DeepPixels>(source, destination, settings);
}
