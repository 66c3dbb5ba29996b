#pragma once

#include "util/ValueRange.h"

// The camera of a flat added to a map document, in degrees.
struct PatchParameters {
    double azimuth = 0, elevation = 0, horizontal = 90, vertical = 90, roll = 0;
};

// What a camera may be given.
inline constexpr ValueRange kPatchAzimuths{-180, 180};
inline constexpr ValueRange kPatchElevations{-90, 90};
inline constexpr ValueRange kPatchFieldsOfView{1, 180};
inline constexpr ValueRange kPatchRolls{-180, 180};
