#pragma once

#include "deep/DeepPicture.h"
#include "image/Image.h"
#include "mapdoc/FisheyeParams.h"
#include "mapdoc/FlatMapping.h"

// Rewrites every pixel of the rectangle from the fisheye picture, looking from the dome
// centre. A direction at angle theta from the fisheye's axis lands 2 theta (in degrees) times
// its sideways and downward components from the picture's centre, scaled so that the fields
// of view span the picture; where that falls outside the picture the pixel is black. Nothing
// is done without both pictures.
void MapFisheyeInto(CImage& rectangle, const MapGrid& grid, const CImage& fisheye,
                    const FisheyeParams& params);
// The same on float samples with alpha.
void MapFisheyeIntoDeep(DeepPicture& rectangle, const MapGrid& grid, const DeepPicture& fisheye,
                        const FisheyeParams& params);
