#pragma once

#include "transforms/XformSettings.h"

// A polar picture of one hemisphere from a whole-sky Hammer-Aitoff map (the 2:1 ellipse
// spanning the source: longitude across, latitude up). The pole of `hemisphere` (north, or
// south for any other value) lies at the centre and the equator on the circle of half the
// picture's size; the southern picture is the mirror image of the northern. One source pixel
// per written pixel; pixels more than two pixels outside the equator are not written.
void HammerAitoffToPolar(const CImage& source, CImage& destination, const XformSettings& settings);
