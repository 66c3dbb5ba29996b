#pragma once

#include <array>
#include <cmath>

#include "fiveview/FiveViewSettings.h"
#include "image/Image.h"

// Face order of the five cube views; lookup tables store these indices.
enum FaceIndex { kTop = 0, kLeft = 1, kBack = 2, kRight = 3, kFront = 4 };
inline constexpr int kFaceCount = 5;
using FacePictures = std::array<CImage, kFaceCount>;

// A direction on the dome: z towards the zenith, a along the output picture's vertical axis,
// b along its horizontal axis; u and v are the picture position it came from, whose angle
// is the picture azimuth (0 up, +90 right).
struct DomeDirection {
    double a = 0;
    double b = 0;
    double z = 1;
    double u = 0;
    double v = 0;
};

// A face pixel an output point reads; row and column are -1 when there is none (off the
// disc, or a direction below every side face).
struct FaceHit {
    int face = kTop;
    int row = -1;
    int column = -1;
    bool Found() const { return row >= 0 && column >= 0; }
};

// Maps points of a W x H polar output picture (equidistant fisheye, zenith at the centre,
// rim at half the polar sweep) to directions, faces and face pixels.
class PolarGeometry {
  public:
    PolarGeometry(int outputWidth, int outputHeight, double polarSweepDegrees,
                  PolarFormat polarFormat);

    int OutputWidth() const { return width; }
    int OutputHeight() const { return height; }
    // Normalised position of a (possibly fractional) output column and row, -0.5..0.5. The
    // only column of a picture one pixel wide (or row of one a pixel high) is the centre.
    double U(double column) const { return column * inverseWidth - offsetU; }
    double V(double row) const { return row * inverseHeight - offsetV; }
    static bool OnDisc(double u, double v) { return std::sqrt(u * u + v * v) <= 0.5; }
    // The direction of any normalised position, on the disc or not.
    DomeDirection Direction(double u, double v) const;
    int ChooseFace(const DomeDirection& d) const;
    // Face-plane coordinates: P across the face, Q up it, -1..1 on the face.
    void FacePlane(int face, const DomeDirection& d, double& p, double& q) const;
    // The face pixel of a normalised position; none off the disc.
    FaceHit Locate(const FacePictures& faces, double u, double v) const;

  private:
    int width;
    int height;
    double inverseWidth;
    double inverseHeight;
    double offsetU;
    double offsetV;
    double sweepRadians;
    bool domeMaster;
};

// Column or row of face-plane coordinate t on a face n pixels across, truncated towards zero;
// -1 when t lies beyond the face (or is not a number), so no read leaves the picture.
int FacePixelIndex(double t, int n);
