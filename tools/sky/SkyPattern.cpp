#include "sky/SkyPattern.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sky {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kSector = 30.0;
constexpr double kBand = 15.0;
constexpr double kGrid = 10.0;
constexpr double kLineHalfWidth = 0.3;
constexpr double kMarkerAltitude = 30.0;
constexpr double kMarkerRadius = 6.0;

struct Marker {
    double azimuth;
    Rgb colour;
};
constexpr Marker kMarkers[] = {
    {0, {255, 0, 0}}, {90, {0, 255, 0}}, {180, {0, 0, 255}}, {270, {255, 255, 0}}};

struct Angles {
    double azimuth;   // 0..360
    double altitude;  // -90..90
};

Angles AnglesOf(const Vec3& d) {
    const double length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    double azimuth = std::atan2(d.x, d.y) / kDeg;
    if (azimuth < 0) azimuth += 360;
    if (azimuth >= 360) azimuth -= 360;
    return {azimuth, std::asin(std::clamp(d.z / length, -1.0, 1.0)) / kDeg};
}

double AngleBetween(const Vec3& a, const Vec3& b) {
    const double la = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    const double lb = std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z);
    const double c = (a.x * b.x + a.y * b.y + a.z * b.z) / (la * lb);
    return std::acos(std::clamp(c, -1.0, 1.0)) / kDeg;
}

// Great-circle distance from the direction to the plane of the meridian at an azimuth.
double MeridianDistance(const Angles& a, double meridian) {
    const double s =
        std::fabs(std::sin((a.azimuth - meridian) * kDeg)) * std::cos(a.altitude * kDeg);
    return std::asin(std::min(s, 1.0)) / kDeg;
}

// Distance to the nearest meridian at a multiple of step degrees.
double NearestMeridianDistance(const Angles& a, double step) {
    const double below = std::floor(a.azimuth / step) * step;
    return std::min(MeridianDistance(a, below), MeridianDistance(a, below + step));
}

double NearestParallelDistance(const Angles& a, double step) {
    const double below = std::floor(a.altitude / step) * step;
    return std::min(a.altitude - below, below + step - a.altitude);
}

}  // namespace

Vec3 DirectionOf(double azimuthDegrees, double altitudeDegrees) {
    const double az = azimuthDegrees * kDeg, alt = altitudeDegrees * kDeg;
    return {std::cos(alt) * std::sin(az), std::cos(alt) * std::cos(az), std::sin(alt)};
}

Rgb ColourOf(const Vec3& direction) {
    const Angles a = AnglesOf(direction);
    for (const Marker& m : kMarkers) {
        if (AngleBetween(direction, DirectionOf(m.azimuth, kMarkerAltitude)) < kMarkerRadius) {
            return m.colour;
        }
    }
    if (NearestMeridianDistance(a, kGrid) < kLineHalfWidth ||
        (std::fabs(a.altitude) < 85 && NearestParallelDistance(a, kGrid) < kLineHalfWidth)) {
        return {255, 255, 255};
    }
    const int sector = std::min(static_cast<int>(a.azimuth / kSector), 11);
    const int band = std::min(static_cast<int>((a.altitude + 90) / kBand), 11);
    return {static_cast<uint8_t>(20 + 20 * sector), static_cast<uint8_t>(20 + 20 * band),
            static_cast<uint8_t>((sector + band) % 2 ? 200 : 90)};
}

double EdgeDistance(const Vec3& direction) {
    const Angles a = AnglesOf(direction);
    double distance = NearestMeridianDistance(a, kGrid);  // sector borders lie on grid meridians
    distance = std::fabs(distance - kLineHalfWidth);
    const double parallel = NearestParallelDistance(a, kGrid);
    if (std::fabs(a.altitude) < 85)
        distance = std::min(distance, std::fabs(parallel - kLineHalfWidth));
    distance = std::min(distance, std::fabs(std::fabs(a.altitude) - 85));
    distance = std::min(distance, NearestParallelDistance(a, kBand));
    for (const Marker& m : kMarkers) {
        const double toCentre = AngleBetween(direction, DirectionOf(m.azimuth, kMarkerAltitude));
        distance = std::min(distance, std::fabs(toCentre - kMarkerRadius));
    }
    return distance;
}

}  // namespace sky
