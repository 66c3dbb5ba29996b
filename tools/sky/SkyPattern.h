#pragma once

#include <cstdint>

// An analytic sky for testing projections: every direction has a known colour.
//
// World frame: x east, y north, z up; azimuth from north towards east, altitude above the
// horizon, both in degrees. The sky is divided into 30-degree azimuth sectors and 15-degree
// altitude bands, each cell with its own colour; thin white grid lines every 10 degrees; and
// four coloured discs at altitude 30 marking north (red), east (green), south (blue) and
// west (yellow). No two cells share a colour, so a direction read from the wrong place shows.
namespace sky {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

// Unit vector of an azimuth and altitude in degrees.
Vec3 DirectionOf(double azimuthDegrees, double altitudeDegrees);

// Colour of a direction (need not be a unit vector).
Rgb ColourOf(const Vec3& direction);

// Angular distance in degrees from the direction to the nearest place where the colour
// changes (a lower bound). Comparisons are meaningful only away from such places.
double EdgeDistance(const Vec3& direction);

}  // namespace sky
