#pragma once

#include <algorithm>
#include <array>
#include <cmath>

#include "fiveview/FiveViewSettings.h"
#include "image/Image.h"
#include "util/DoubleLanes.h"

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
    DomeDirection Direction(double u, double v) const {
        return DirectionAt(u, v, std::sqrt(u * u + v * v));
    }
    int ChooseFace(const DomeDirection& d) const;
    // Face-plane coordinates: P across the face, Q up it, -1..1 on the face.
    void FacePlane(int face, const DomeDirection& d, double& p, double& q) const;
    // The face pixel of a normalised position; none off the disc. FaceArray: the five faces
    // of any pixel type, each with a Width() and a Height().
    template <typename FaceArray>
    FaceHit Locate(const FaceArray& faces, double u, double v) const;
    // Locate for up to kBatch positions at once, with the same arithmetic in stages that run
    // several lanes wide: the same hits, bit for bit.
    static constexpr int kBatch = 64;
    template <typename FaceArray>
    void LocateBatch(const FaceArray& faces, const double* u, const double* v, int count,
                     FaceHit* hits) const;

  private:
    void ChooseFacePlanes(const double* u, const double* v, const double* rho,
                          const double* sinTheta, const double* zenith, double* p, double* q,
                          double* faceOf) const;
    // rho: the position's distance from the centre.
    DomeDirection DirectionAt(double u, double v, double rho) const;

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
inline int FacePixelIndex(double t, int n) {
    const double position = (n - 1) * (t + 1) * 0.5;
    if (!(position > -1.0 && position < n)) return -1;
    return static_cast<int>(position);
}

// Inline: every renderer calls these once or more per output pixel.

inline DomeDirection PolarGeometry::DirectionAt(double u, double v, double rho) const {
    DomeDirection d;
    d.u = u;
    d.v = v;
    const double theta = rho * sweepRadians;
    double sinTheta = 0;
    sincos(theta, &sinTheta, &d.z);
    if (rho > 0) {
        d.a = v * sinTheta / rho;
        d.b = u * sinTheta / rho;
    }
    return d;
}

// The top face takes the directions within 45 degrees of the zenith in both a and b; the
// azimuth then picks a side: within 45 degrees of up, beyond 135, right or left. Each angle
// bound is a comparison of the two legs, so no arc tangent is needed.
inline int PolarGeometry::ChooseFace(const DomeDirection& d) const {
    if (d.z > 0 && std::fabs(d.b) <= d.z && std::fabs(d.a) <= d.z) return kTop;
    const double across = std::fabs(d.u);
    if (d.v > 0 && across <= d.v) return domeMaster ? kFront : kBack;
    if (d.v < 0 && across < -d.v) return domeMaster ? kBack : kFront;
    return d.u > 0 ? kRight : kLeft;
}

inline void PolarGeometry::FacePlane(int face, const DomeDirection& d, double& p, double& q) const {
    // All-sky is 'Dome Master' mirrored top to bottom: a becomes -a.
    const double a = domeMaster ? d.a : -d.a;
    const double b = d.b, z = d.z;
    switch (face) {
        case kTop:
            p = b / z;
            q = -a / z;
            break;
        case kFront:
            p = b / a;
            q = z / a;
            break;
        case kBack:
            p = b / a;
            q = -z / a;
            break;
        case kRight:
            p = -a / b;
            q = z / b;
            break;
        default:
            p = -a / b;
            q = -z / b;
            break;  // Left
    }
}

template <typename FaceArray>
FaceHit PolarGeometry::Locate(const FaceArray& faces, double u, double v) const {
    FaceHit hit;
    const double rho = std::sqrt(u * u + v * v);
    if (!(rho <= 0.5)) return hit;  // off the disc
    const DomeDirection d = DirectionAt(u, v, rho);
    hit.face = ChooseFace(d);
    double p, q;
    FacePlane(hit.face, d, p, q);
    const auto& face = faces[static_cast<size_t>(hit.face)];
    hit.column = FacePixelIndex(p, face.Width());
    hit.row = FacePixelIndex(q, face.Height());
    if (!hit.Found()) hit.row = hit.column = -1;
    return hit;
}

template <typename FaceArray>
void PolarGeometry::LocateBatch(const FaceArray& faces, const double* u, const double* v,
                                int count, FaceHit* hits) const {
    // Whole lanes: the positions past count are the centre, whose results are not used.
    double uu[kBatch] = {}, vv[kBatch] = {};
    std::copy(u, u + count, uu);
    std::copy(v, v + count, vv);
    double rho[kBatch], sinTheta[kBatch], z[kBatch], p[kBatch], q[kBatch], faceOf[kBatch];
#pragma omp simd
    for (int k = 0; k < kBatch; ++k) rho[k] = std::sqrt(uu[k] * uu[k] + vv[k] * vv[k]);
    for (int k = 0; k < kBatch; ++k) {
        sinTheta[k] = 0;
        z[k] = 1;
        if (k < count && rho[k] <= 0.5) sincos(rho[k] * sweepRadians, &sinTheta[k], &z[k]);
    }
    for (int k = 0; k < kBatch; k += lanes::kWidth) {
        ChooseFacePlanes(uu + k, vv + k, rho + k, sinTheta + k, z + k, p + k, q + k, faceOf + k);
    }
    int widths[kFaceCount], heights[kFaceCount];
    for (int f = 0; f < kFaceCount; ++f) {
        widths[f] = faces[static_cast<size_t>(f)].Width();
        heights[f] = faces[static_cast<size_t>(f)].Height();
    }
    for (int k = 0; k < count; ++k) {
        FaceHit& hit = hits[k];
        hit = FaceHit{};
        if (!(rho[k] <= 0.5)) continue;
        hit.face = static_cast<int>(faceOf[k]);
        hit.column = FacePixelIndex(p[k], widths[hit.face]);
        hit.row = FacePixelIndex(q[k], heights[hit.face]);
        if (!hit.Found()) hit.row = hit.column = -1;
    }
}

// DirectionAt, ChooseFace and FacePlane for one lane width of positions, without branches:
// every value is worked out in every lane and then chosen. Every face divides both of its
// plane coordinates by one denominator.
inline void PolarGeometry::ChooseFacePlanes(const double* u, const double* v, const double* rho,
                                            const double* sinTheta, const double* zenith,
                                            double* p, double* q, double* faceOf) const {
    using lanes::Doubles, lanes::Masks, lanes::Select, lanes::Splat;
    const Doubles uk = lanes::Load(u), vk = lanes::Load(v), r = lanes::Load(rho);
    const Doubles s = lanes::Load(sinTheta), z = lanes::Load(zenith);
    const Doubles zero = Splat(0);
    const Masks centre = ~(r > zero);
    const Doubles a = Select(centre, zero, vk * s / r);
    const Doubles b = Select(centre, zero, uk * s / r);
    const Doubles across = lanes::Abs(uk);
    const Masks top = (z > zero) & (lanes::Abs(b) <= z) & (lanes::Abs(a) <= z);
    const Masks up = (vk > zero) & (across <= vk);
    const Masks down = (vk < zero) & (across < -vk);
    const Masks front = ~top & (domeMaster ? up : down);
    const Masks back = ~top & ~front & (up | down);
    const Masks side = ~top & ~front & ~back;
    const Masks right = side & (uk > zero);
    // All-sky is 'Dome Master' mirrored top to bottom: a becomes -a.
    const Doubles ae = domeMaster ? a : -a;
    const Doubles denominator = Select(top, z, Select(side, b, ae));
    const Doubles pNumerator = Select(side, -ae, b);
    const Doubles qNumerator = Select(top, -ae, Select(front | right, z, -z));
    lanes::Store(p, pNumerator / denominator);
    lanes::Store(q, qNumerator / denominator);
    const Doubles sideFace = Select(right, Splat(kRight), Splat(kLeft));
    const Doubles face = Select(top, Splat(kTop),
                                Select(front, Splat(kFront), Select(back, Splat(kBack), sideFace)));
    lanes::Store(faceOf, face);
}
