#pragma once

#include <algorithm>
#include <cmath>

// The four pixels and the fractions a bilinear read between pixels uses. Fractions come from
// the unclamped position; the clamp keeps every read inside the picture even when a caller
// strays past its last row or column (or gives no number at all).
struct BilinearPosition {
    int x0, y0, x1, y1;
    double fx, fy;
};

inline BilinearPosition BilinearPositionOf(double x, double y, int width, int height) {
    double xt = std::trunc(x), yt = std::trunc(y);
    double fx = x - xt, fy = y - yt;
    if (!std::isfinite(fx)) fx = 0;
    if (!std::isfinite(fy)) fy = 0;
    if (!(xt >= 0)) xt = 0;
    if (!(yt >= 0)) yt = 0;
    const int x0 = static_cast<int>(std::min(xt, static_cast<double>(width - 1)));
    const int y0 = static_cast<int>(std::min(yt, static_cast<double>(height - 1)));
    return {x0, y0, x0 < width - 1 ? x0 + 1 : x0, y0 < height - 1 ? y0 + 1 : y0, fx, fy};
}
