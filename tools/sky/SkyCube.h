#pragma once

#include "fiveview/FaceGeometry.h"
#include "sky/SkyPattern.h"

// The five cube views of the sky as an ordinary camera takes them from the dome centre:
// Front looks north, Right east, Back south, Left west, each with the zenith at the top of
// the picture; Top looks up with north at its bottom edge and east at its right edge.
namespace sky {

// Direction shown at face-plane position (p across, q up; -1..1 over the picture).
Vec3 FaceDirection(int face, double p, double q);

// Renders one face: each pixel shows the sky at the centre of its area.
void RenderFace(CImage& picture, int face, int width, int height);

// All five faces at one size, in face-index order.
void RenderFaces(FacePictures& faces, int width, int height);

}  // namespace sky
