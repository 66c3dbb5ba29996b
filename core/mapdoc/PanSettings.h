#pragma once

#include "util/ValueRange.h"

// The parameters of a new map document (the "New mosa parameters" dialog's record).
struct PanSettings {
    double azimuthLeft = 0;
    double azimuthRight = 0;
    double altitudeBottom = 0;
    double altitudeTop = 0;
    int height = 0;
    int width = 0;
    double eyeX = 0;
    double eyeY = 0;
    double eyeZ = 0;
    int antiAliasing = -1;  // 0 none, 1 4x, 2 7x; -1 none chosen yet
};

// What the parameters may be given.
inline constexpr ValueRange kPanAzimuths{-180, 180};
inline constexpr ValueRange kPanAltitudes{-90, 90};
inline constexpr ValueRange kPanEyeCoordinates{-1, 1};

enum MapAntiAliasing { kMapNoAA = 0, kMap4x = 1, kMap7x = 2 };

// What the dialog shows for a new document: 1800 x 486, azimuth -100 to 100, altitude 0 to 60,
// eyepoint at the centre, no anti-aliasing.
PanSettings NewDocumentPanSettings();
