#pragma once

#include "image/Image.h"

// The zenith distance of the polar disc's rim an Ambivue transform may take, in degrees.
inline constexpr int kMinPolarSpan = 5;
inline constexpr int kMaxPolarSpan = 90;

enum Hemisphere : int { kNorthHemisphere = 0, kSouthHemisphere = 1, kBothHemispheres = 2 };

// The colour the Ambivue-to-polar transform gives sky outside its band.
struct OffMapColour {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The parameters of a projection transform. One record serves every transform dialog: each
// dialog fills its own fields, and a routine reads only the fields of its dialog.
struct XformSettings {
    // Every dialog. With useSourceSize the drivers take each source's size instead.
    int useSourceSize = 0;
    unsigned outputWidth = 512;
    unsigned outputHeight = 512;

    // "Additional rotation" (rectangular and polar): degrees, clockwise on the disc.
    int rotation = 0;

    // "Ambivue/Polar": the band's limits in degrees, the zenith distance of the disc's rim
    // (5 to 90) and a clockwise turn of the disc.
    int outputIsPolar = 1;
    int lockAspect = 1;
    double azimuthTo = 100;
    double elevationTo = 60;
    double azimuthFrom = -100;
    double elevationFrom = 0;
    unsigned polarSpan = 90;
    int clockwiseRotation = 0;
    // Taken from the program's settings when the command starts.
    OffMapColour offMap;

    // "Hammer-Aitoff to Polar".
    Hemisphere hemisphere = kBothHemispheres;
    int square = 1;
};

// A projection transform: fills the destination, already created at its final size, from the
// source. Reads pixels with GetRGB and writes them with SetRGB; allocates nothing, shows
// nothing.
using XformRoutine = void (*)(const CImage& source, CImage& destination,
                              const XformSettings& settings);
