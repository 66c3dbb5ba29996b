#include "sky/SkyProjections.h"

#include <cmath>
#include <numbers>

namespace sky {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
const double kSqrt2 = std::sqrt(2.0);

// Position of a pixel along a picture side of count pixels: the middle of its cell as a
// fraction of span cells, or its grid position as a fraction of count - 1 steps.
double Fraction(int index, int count, double spanCells, Anchor anchor) {
    if (anchor == Anchor::kCell) return (index + 0.5) / spanCells;
    return count > 1 ? static_cast<double>(index) / (count - 1) : 0;
}

double Between(double from, double to, double fraction) {
    return from + fraction * (to - from);
}

// 2 theta sin(theta), theta in degrees outside the sine: how far from the fisheye's centre a
// direction theta from its axis lands. It grows up to about 116 degrees.
double FisheyeReach(double theta) {
    return 2 * theta / kDeg * std::sin(theta);
}
constexpr double kFisheyeLimit = 2.0287;  // radians, just below the turning point

}  // namespace

bool Panorama::Direction(int column, int row, Vec3& direction) const {
    const double across = Fraction(column, width, width, anchor);
    const double up = Fraction(row, height, height - 1, anchor);
    direction = DirectionOf(Between(-180, 180, across), 90 * up);
    return true;
}

void PolarPicture::DiscPoint(int column, int row, double& x, double& y) const {
    const double offset = anchor == Anchor::kCell ? 0.5 : 0;
    x = 2 * (column + offset) / width - 1;
    y = 2 * (row + offset) / height - 1;
}

bool PolarPicture::Direction(int column, int row, Vec3& direction) const {
    double x, y;
    DiscPoint(column, row, x, y);
    const double polarAngle = std::atan2(x, -y) / kDeg;
    direction = DirectionOf(polarAngle + rotation, 90 - std::hypot(x, y) * span);
    return true;
}

bool AmbivueBand::Direction(int column, int row, Vec3& direction) const {
    direction =
        DirectionOf(Between(azimuthFrom, azimuthTo, Fraction(column, width, width, anchor)),
                    Between(elevationFrom, elevationTo, Fraction(row, height, height, anchor)));
    return true;
}

bool HammerAitoffMap::Direction(int column, int row, Vec3& direction) const {
    const double x = (Fraction(column, width, width - 1, Anchor::kCell) - 0.5) * 4 * kSqrt2;
    const double y = (Fraction(row, height, height - 1, Anchor::kCell) - 0.5) * 2 * kSqrt2;
    if (x * x / 8 + y * y / 2 > 1) return false;
    // The inverse of the equal-area projection.
    const double z = std::sqrt(1 - x * x / 16 - y * y / 4);
    const double longitude = 2 * std::atan2(z * x, 2 * (2 * z * z - 1));
    const double latitude = std::asin(z * y);
    direction = DirectionOf(longitude / kDeg, latitude / kDeg);
    return true;
}

bool HemispherePicture::Direction(int column, int row, Vec3& direction) const {
    const double u = Fraction(column, width, width, Anchor::kGrid) - 0.5;
    const double v = Fraction(row, height, height, Anchor::kGrid) - 0.5;
    const double rho = std::hypot(u, v);
    if (rho > 0.5 + 2.0 / width) return false;
    const double s = north ? 1 : -1;
    direction = DirectionOf(std::atan2(-s * u, -v) / kDeg, s * (1 - 2 * rho) * 90);
    return true;
}

bool FisheyePicture::Direction(int column, int row, Vec3& direction) const {
    const double halfW = width / 2, halfH = height / 2;
    const double sideways = (column / halfW - 1) * horizontalFov;
    const double down = (1 - row / halfH) * verticalFov;
    const double reach = std::hypot(sideways, down);
    if (reach > FisheyeReach(kFisheyeLimit)) return false;
    double low = 0, high = kFisheyeLimit;
    for (int step = 0; step < 60; ++step) {
        const double middle = (low + high) / 2;
        (FisheyeReach(middle) < reach ? low : high) = middle;
    }
    const double theta = (low + high) / 2;
    const double k = 2 * theta / kDeg;
    const double x = k > 0 ? sideways / k : 0, a = k > 0 ? down / k : 0, b = std::cos(theta);
    // From the lens frame (x right, a down the picture, b along the axis) to the sky's.
    const double t = tilt * kDeg;
    direction = {x, a * std::sin(t) + b * std::cos(t), -a * std::cos(t) + b * std::sin(t)};
    return true;
}

bool MapRectangle::Direction(int column, int row, Vec3& direction) const {
    direction = DirectionOf(
        Between(azimuthLeft, azimuthRight, Fraction(column, width, width, Anchor::kGrid)),
        Between(altitudeBottom, altitudeTop, Fraction(row, height, height, Anchor::kGrid)));
    return true;
}

}  // namespace sky
