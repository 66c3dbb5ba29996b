#pragma once

#include "transforms/XformSettings.h"

// The Ambivue band (azimuth azimuthFrom to azimuthTo across, elevation elevationFrom to
// elevationTo up) and the polar picture, whose rim lies polarSpan degrees from the zenith.
// Both read clockwiseRotation: PolarToAmbivue with -R undoes AmbivueToPolar with R. Limits
// that leave no elevation band make both write nothing.

// Polar picture from a band: sky inside the disc but outside the band gets the off-map
// colour, pixels outside the disc are black.
void AmbivueToPolar(const CImage& source, CImage& destination, const XformSettings& settings);

// Band from a polar picture: sky beyond the disc's rim is black.
void PolarToAmbivue(const CImage& source, CImage& destination, const XformSettings& settings);
