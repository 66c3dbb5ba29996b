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
