#pragma once

#include <numbers>

// Angles are degrees at every interface and radians inside the loops.
inline constexpr double kPi = std::numbers::pi;
inline constexpr double kDegToRad = kPi / 180.0;
inline constexpr double kRadToDeg = 180.0 / kPi;
