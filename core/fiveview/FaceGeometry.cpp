#include "fiveview/FaceGeometry.h"

#include <cmath>

#include "fiveview/FiveViewSettings.h"
#include "util/Angles.h"

PolarGeometry::PolarGeometry(int outputWidth, int outputHeight, double polarSweepDegrees,
                             PolarFormat polarFormat)
    : width(outputWidth),
      height(outputHeight),
      inverseWidth(outputWidth > 1 ? 1.0 / (outputWidth - 1) : 0.0),
      inverseHeight(outputHeight > 1 ? 1.0 / (outputHeight - 1) : 0.0),
      offsetU(outputWidth > 1 ? 0.5 : 0.0),
      offsetV(outputHeight > 1 ? 0.5 : 0.0),
      sweepRadians(polarSweepDegrees * kDegToRad),
      domeMaster(polarFormat == kDomeMaster) {}

DomeDirection PolarGeometry::Direction(double u, double v) const {
    DomeDirection d;
    const double rho = std::sqrt(u * u + v * v);
    d.u = u;
    d.v = v;
    const double theta = rho * sweepRadians;
    d.z = std::cos(theta);
    if (rho > 0) {
        const double sinTheta = std::sin(theta);
        d.a = v * sinTheta / rho;
        d.b = u * sinTheta / rho;
    }
    return d;
}

// The top face takes the directions within 45 degrees of the zenith in both a and b; the
// azimuth then picks a side: within 45 degrees of up, beyond 135, right or left. Each angle
// bound is a comparison of the two legs, so no arc tangent is needed.
int PolarGeometry::ChooseFace(const DomeDirection& d) const {
    if (d.z > 0 && std::fabs(d.b) <= d.z && std::fabs(d.a) <= d.z) return kTop;
    const double across = std::fabs(d.u);
    if (d.v > 0 && across <= d.v) return domeMaster ? kFront : kBack;
    if (d.v < 0 && across < -d.v) return domeMaster ? kBack : kFront;
    return d.u > 0 ? kRight : kLeft;
}

void PolarGeometry::FacePlane(int face, const DomeDirection& d, double& p, double& q) const {
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

int FacePixelIndex(double t, int n) {
    const double position = (n - 1) * (t + 1) * 0.5;
    if (!(position > -1.0 && position < n)) return -1;
    return static_cast<int>(position);
}

FaceHit PolarGeometry::Locate(const FacePictures& faces, double u, double v) const {
    FaceHit hit;
    if (!OnDisc(u, v)) return hit;
    const DomeDirection d = Direction(u, v);
    hit.face = ChooseFace(d);
    double p, q;
    FacePlane(hit.face, d, p, q);
    const CImage& face = faces[static_cast<size_t>(hit.face)];
    hit.column = FacePixelIndex(p, face.Width());
    hit.row = FacePixelIndex(q, face.Height());
    if (!hit.Found()) hit.row = hit.column = -1;
    return hit;
}
