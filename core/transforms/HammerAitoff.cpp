#include "transforms/HammerAitoff.h"

#include <cmath>

#include "ports/RowBands.h"
#include "transforms/DeepTransforms.h"
#include "transforms/FourPointSampling.h"

namespace {

template <typename Pixels>
void HammerAitoffToPolarOn(const typename Pixels::Picture& source,
                           typename Pixels::Picture& destination, const XformSettings& settings) {
    if (!HasPixels(source) || !HasPixels(destination)) return;
    const int w = destination.Width(), h = destination.Height();
    const int ws = source.Width(), hs = source.Height();
    const double s = settings.hemisphere == kNorthHemisphere ? 1 : -1;
    const double sqrt2 = std::sqrt(2.0);
    const double rim = 0.5 + 2.0 / w;
    const typename Pixels::Reader reader(source);
    const typename Pixels::Writer writer(destination);
    SignalOnlyProgress rows;  // a transform is one step of its job
    ForEachRow(0, h - 1, rows, [&](int i) {
        const double v = GridValue(0, 1, i, h) - 0.5;
        for (int j = 0; j < w; ++j) {
            const double u = GridValue(0, 1, j, w) - 0.5;
            const double rho = std::sqrt(u * u + v * v);
            if (rho > rim) continue;
            const double latitude = s * (1 - 2 * rho) * kHalfPi;
            const double longitude = std::atan2(-s * u, -v);
            const double z = std::sqrt(2 / (1 + std::cos(latitude) * std::cos(longitude / 2)));
            const double x = 2 * z * std::cos(latitude) * std::sin(longitude / 2);
            const double y = z * std::sin(latitude);
            const int row = SourceIndex(y * 0.5 / sqrt2 * (hs - 1) + (hs - 1) * 0.5, hs);
            const int column = SourceIndex((ws - 1) * x * 0.5 / (2 * sqrt2) + (ws - 1) * 0.5, ws);
            typename Pixels::Sample sample;
            reader.Get(column, row, sample);
            writer.Set(j, i, sample);
        }
    });
}

}  // namespace

void HammerAitoffToPolar(const CImage& source, CImage& destination, const XformSettings& settings) {
    HammerAitoffToPolarOn<EightBitPixels>(source, destination, settings);
}

void HammerAitoffToPolarDeep(const DeepPicture& source, DeepPicture& destination,
                             const XformSettings& settings) {
    HammerAitoffToPolarOn<DeepPixels>(source, destination, settings);
}
