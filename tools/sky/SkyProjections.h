#pragma once

#include "image/Image.h"
#include "sky/SkyPattern.h"

// The sky in the picture projections the transforms convert between, rendered straight from
// the analytic pattern. Each projection tells the direction a pixel stands for (or that it
// stands for none); Render colours every pixel with the sky in its direction, black where
// there is none. Azimuth is the sky's own (from north towards east), altitude above the
// horizon.
namespace sky {

// Where a pixel stands. A picture that a transform reads is sampled by truncating real
// positions, so a pixel stands for the middle of the cell it covers; a picture a transform
// writes is defined at each pixel's own grid position.
enum class Anchor { kCell, kGrid };

// Rectangular panorama: azimuth -180 to 180 across, the horizon at the bottom row and the
// zenith at the top row. Read, the full turn spans the picture's width; written, the first and
// the last column both lie at azimuth +-180.
struct Panorama {
    int width;
    int height;
    Anchor anchor;
    bool Direction(int column, int row, Vec3& direction) const;
};

// Polar picture: the disc (x right, y up, -1 to 1 over the picture) with the zenith at the
// centre and the zenith distance growing with the radius to span degrees at the rim (and on
// beyond it); azimuth 0 towards the bottom edge and 90 towards the right edge, the whole turned
// clockwise by rotation degrees.
struct PolarPicture {
    int width;
    int height;
    Anchor anchor;
    double span = 90;
    double rotation = 0;
    // The pixel's place in the disc.
    void DiscPoint(int column, int row, double& x, double& y) const;
    bool Direction(int column, int row, Vec3& direction) const;
};

// Ambivue band: azimuthFrom to azimuthTo across, elevationFrom to elevationTo up.
struct AmbivueBand {
    int width;
    int height;
    Anchor anchor;
    double azimuthFrom = -100;
    double azimuthTo = 100;
    double elevationFrom = 0;
    double elevationTo = 60;
    bool Direction(int column, int row, Vec3& direction) const;
};

// Whole-sky Hammer-Aitoff map as the transform reads it: the ellipse spans the picture, azimuth
// (longitude) -180 to 180 across and altitude (latitude) -90 to 90 up; nothing outside the
// ellipse.
struct HammerAitoffMap {
    int width;
    int height;
    bool Direction(int column, int row, Vec3& direction) const;
};

// Polar picture of one hemisphere as the Hammer-Aitoff transform writes it: the pole at the
// centre, the equator on the circle of half the picture's size, nothing more than two pixels
// beyond it. North has azimuth 0 towards the bottom edge and 90 towards the left; south is
// its mirror image.
struct HemispherePicture {
    int width;
    int height;
    bool north;
    bool Direction(int column, int row, Vec3& direction) const;
};

// Fisheye picture read at its nearest pixel: the optical axis at azimuth 0 tilted up by tilt
// degrees, a direction at angle theta from the axis standing 2 theta (degrees) times its
// sideways and downward components from the centre pixel (width / 2, height / 2), the fields
// of view spanning the picture. Nothing where no angle up to about 116 degrees lands.
struct FisheyePicture {
    int width;
    int height;
    double horizontalFov;
    double verticalFov;
    double tilt;
    bool Direction(int column, int row, Vec3& direction) const;
};

// The map document's rectangle: azimuthLeft at the first column to azimuthRight at the last,
// altitudeBottom at the bottom row to altitudeTop at the top.
struct MapRectangle {
    int width;
    int height;
    double azimuthLeft;
    double azimuthRight;
    double altitudeBottom;
    double altitudeTop;
    bool Direction(int column, int row, Vec3& direction) const;
};

template <typename Projection>
void Render(CImage& picture, const Projection& projection) {
    picture.Create(projection.width, projection.height, 24, -1);
    for (int row = 0; row < projection.height; ++row) {
        for (int column = 0; column < projection.width; ++column) {
            Vec3 direction;
            const Rgb c =
                projection.Direction(column, row, direction) ? ColourOf(direction) : Rgb{};
            picture.SetRGB(column, row, c.r, c.g, c.b);
        }
    }
}

}  // namespace sky
