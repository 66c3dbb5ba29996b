#pragma once

#include "transforms/XformSettings.h"

// The rectangular equidistant picture (the full turn of azimuth across, the horizon at the
// bottom row and the zenith at the top) and the polar picture (the dome as a disc: zenith at
// the centre, horizon on the rim, azimuth 0 towards the bottom edge and growing
// counter-clockwise). Both read `rotation`: a positive value turns the disc's content
// clockwise, and PolarToRect with -R undoes RectToPolar with R.

// Polar picture from a rectangular one; the disc fills the destination, touching all four
// edges.
void RectToPolar(const CImage& source, CImage& destination, const XformSettings& settings);

// Rectangular picture from a polar one; the first and last columns both lie on azimuth 180.
void PolarToRect(const CImage& source, CImage& destination, const XformSettings& settings);
