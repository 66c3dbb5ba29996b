#pragma once

#include <cstdint>

#include "deep/PixelTypes.h"
#include "image/Image.h"
#include "ports/RowBands.h"
#include "transforms/XformSettings.h"
#include "util/Angles.h"

// What the projection transforms share: their constants, the positions of a picture's
// pixels, and the four-point sampling that fills a picture.

inline constexpr double kTwoPi = kPi + kPi;
inline constexpr double kHalfPi = kPi * 0.5;

// Value at grid position index of count positions running from `from` to `to`. A picture one
// pixel wide or high has its only position at `from`.
inline double GridValue(double from, double to, int index, int count) {
    return count > 1 ? from + index * (to - from) / (count - 1) : from;
}

// Whole degrees reduced to 0-359, so that -90 and 270 turn alike.
inline int WholeTurnsRemoved(int degrees) {
    return (degrees % 360 + 360) % 360;
}

// A real source position truncated toward zero and kept on the picture: positions on the far
// rim can round to one past the last pixel, and not-a-number reads the first.
inline int SourceIndex(double position, int size) {
    if (!(position >= 1)) return 0;
    if (position >= size) return size - 1;
    return static_cast<int>(position);
}

enum class SampleKind { kMiss, kOffMap, kHit };

struct BasePoint {
    double p = 0;
    double q = 0;
};

// Fills every destination pixel (rows from the bottom, columns from the left) from four
// sub-samples around the base point base(j, i): (p+dp, q+dq), (p+dp, q-dq), (p-dp, q-dq),
// (p-dp, q+dq) with dp = 1/3 / width and dq = 1/3 / height, whatever the units of p and q.
// classify(a, b, column, row) sorts each sub-sample; a hit sets the real source position.
// The pixel becomes the mean of its hits and off-map samples (truncated on 8 bits), black
// (and clear) when there are none. Rows run in bands on the render threads. Pixels: the
// pixel types of deep/PixelTypes.h.
template <typename Pixels, typename Base, typename Classify>
void FillFourPointOn(const typename Pixels::Picture& source, typename Pixels::Picture& destination,
                     const OffMapColour& offMap, const Base& base, const Classify& classify) {
    const int w = destination.Width(), h = destination.Height();
    const int ws = source.Width(), hs = source.Height();
    const double dp = (1.0 / 3) / w, dq = (1.0 / 3) / h;
    const double offsets[4][2] = {{dp, dq}, {dp, -dq}, {-dp, -dq}, {-dp, dq}};
    const typename Pixels::Reader reader(source);
    const typename Pixels::Writer writer(destination);
    SignalOnlyProgress rows;  // a transform is one step of its job
    ForEachRow(0, h - 1, rows, [&](int i) {
        for (int j = 0; j < w; ++j) {
            const BasePoint point = base(j, i);
            typename Pixels::Sum sum;
            int n = 0;
            for (const auto& offset : offsets) {
                double column = 0, row = 0;
                const SampleKind kind =
                    classify(point.p + offset[0], point.q + offset[1], column, row);
                if (kind == SampleKind::kMiss) continue;
                ++n;
                if (kind == SampleKind::kOffMap) {
                    sum.AddLevels(offMap.red, offMap.green, offMap.blue);
                    continue;
                }
                typename Pixels::Sample sample;
                reader.Get(SourceIndex(column, ws), SourceIndex(row, hs), sample);
                sum.Add(1, sample);
            }
            writer.Set(j, i, n > 0 ? sum.Finish(n) : typename Pixels::Sample{});
        }
    });
}

// The same on the pictures' own 8 bits.
template <typename Base, typename Classify>
void FillFourPoint(const CImage& source, CImage& destination, const OffMapColour& offMap,
                   const Base& base, const Classify& classify) {
    if (!source.HasImage() || !destination.HasImage()) return;
    FillFourPointOn<EightBitPixels>(source, destination, offMap, base, classify);
}
