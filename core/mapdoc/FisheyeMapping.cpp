#include "mapdoc/FisheyeMapping.h"

#include <cmath>
#include <vector>

#include "deep/PixelTypes.h"
#include "ports/RowBands.h"
#include "util/Angles.h"

namespace {

template <typename Pixels>
void MapFisheyeOn(typename Pixels::Picture& rectangle, const MapGrid& grid,
                  const typename Pixels::Picture& fisheye, const FisheyeParams& params) {
    if (!HasPixels(rectangle) || !HasPixels(fisheye)) return;
    const int w = rectangle.Width(), h = rectangle.Height();
    const int wf = fisheye.Width(), hf = fisheye.Height();
    const double halfW = wf / 2, halfH = hf / 2;
    const double dAz = grid.AzimuthStep(), dAlt = grid.AltitudeStep();
    const double s = std::sin((90 - params.tilt) * kDegToRad);
    const double c = std::cos((90 - params.tilt) * kDegToRad);
    // Every row meets the same azimuths.
    std::vector<double> sinAz(w), cosAz(w);
    for (int col = 0; col < w; ++col) {
        const double az = (grid.azimuthLeft + col * dAz) * kDegToRad;
        sinAz[col] = std::sin(az);
        cosAz[col] = std::cos(az);
    }
    const typename Pixels::Reader reader(fisheye);
    const typename Pixels::Writer writer(rectangle);
    SignalOnlyProgress rows;  // the mapping is one step of its job
    ForEachRow(0, h - 1, rows, [&](int r) {
        const double el = (grid.altitudeBottom + r * dAlt) * kDegToRad;
        const double sinEl = std::sin(el), cosEl = std::cos(el);
        for (int col = 0; col < w; ++col) {
            const double x = sinAz[col] * cosEl, y = sinEl, z = cosAz[col] * cosEl;
            const double a = z * c - y * s;  // along the fisheye's downward axis
            const double b = z * s + y * c;  // along its optical axis
            const double k = std::atan2(std::sqrt(a * a + x * x), b) * 360 / kPi;
            // Compared before converting: a field of view of 0 gives no number at all.
            const double px = std::trunc((k * x / params.horizontalFov + 1) * halfW + 0.5);
            const double py = std::trunc((1 - k * a / params.verticalFov) * halfH + 0.5);
            typename Pixels::Sample sample;  // black (and clear) outside the picture
            if (px >= 0 && px < wf && py >= 0 && py < hf) {
                reader.Get(static_cast<int>(px), static_cast<int>(py), sample);
            }
            writer.Set(col, r, sample);
        }
    });
}

}  // namespace

void MapFisheyeInto(CImage& rectangle, const MapGrid& grid, const CImage& fisheye,
                    const FisheyeParams& params) {
    MapFisheyeOn<EightBitPixels>(rectangle, grid, fisheye, params);
}

void MapFisheyeIntoDeep(DeepPicture& rectangle, const MapGrid& grid, const DeepPicture& fisheye,
                        const FisheyeParams& params) {
    MapFisheyeOn<DeepPixels>(rectangle, grid, fisheye, params);
}
