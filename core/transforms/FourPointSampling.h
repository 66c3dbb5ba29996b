#pragma once

#include <cstdint>

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
// The pixel becomes the truncated mean of its hits and off-map samples, black when there
// are none. Rows run in bands on the render threads.
template <typename Base, typename Classify>
void FillFourPoint(const CImage& source, CImage& destination, const OffMapColour& offMap,
                   const Base& base, const Classify& classify) {
    if (!source.HasImage() || !destination.HasImage()) return;
    const int w = destination.Width(), h = destination.Height();
    const int ws = source.Width(), hs = source.Height();
    const double dp = (1.0 / 3) / w, dq = (1.0 / 3) / h;
    const double offsets[4][2] = {{dp, dq}, {dp, -dq}, {-dp, -dq}, {-dp, dq}};
    SignalOnlyProgress rows;  // a transform is one step of its job
    ForEachRow(0, h - 1, rows, [&](int i) {
        for (int j = 0; j < w; ++j) {
            const BasePoint point = base(j, i);
            int red = 0, green = 0, blue = 0, n = 0;
            for (const auto& offset : offsets) {
                double column = 0, row = 0;
                const SampleKind kind =
                    classify(point.p + offset[0], point.q + offset[1], column, row);
                if (kind == SampleKind::kMiss) continue;
                ++n;
                if (kind == SampleKind::kOffMap) {
                    red += offMap.red;
                    green += offMap.green;
                    blue += offMap.blue;
                    continue;
                }
                uint8_t r = 0, g = 0, b = 0;
                source.GetRGB(SourceIndex(column, ws), SourceIndex(row, hs), r, g, b);
                red += r;
                green += g;
                blue += b;
            }
            if (n > 0) {
                destination.SetRGB(j, i, red / n, green / n, blue / n);
            } else {
                destination.SetRGB(j, i, 0, 0, 0);
            }
        }
    });
}
