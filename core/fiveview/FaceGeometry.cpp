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
    d.az = std::atan2(u, v) * kRadToDeg;
    const double theta = rho * sweepRadians;
    d.z = std::cos(theta);
    if (rho > 0) {
        const double sinTheta = std::sin(theta);
        d.a = v * sinTheta / rho;
        d.b = u * sinTheta / rho;
    }
    return d;
}

int PolarGeometry::ChooseFace(const DomeDirection& d) const {
    const double tb = std::atan2(d.b, d.z) * kRadToDeg;
    const double ta = std::atan2(d.a, d.z) * kRadToDeg;
    if (std::fabs(tb) <= 45 && std::fabs(ta) <= 45) return kTop;
    const double az = std::fabs(d.az);
    if (az <= 45) return domeMaster ? kFront : kBack;
    if (az > 135) return domeMaster ? kBack : kFront;
    return d.az > 0 ? kRight : kLeft;
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
