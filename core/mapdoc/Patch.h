#pragma once

#include <memory>

#include "image/Image.h"

// One flat camera view: its picture and where the camera looked, in degrees.
struct Patch {
    Patch(std::unique_ptr<CImage> picture, double roll, double elevation, double azimuth,
          double horizontalFov, double verticalFov)
        : image(std::move(picture)),
          roll(roll),
          elevation(elevation),
          azimuth(azimuth),
          horizontalFov(horizontalFov),
          verticalFov(verticalFov) {}

    std::unique_ptr<CImage> image;
    double roll;
    double elevation;
    double azimuth;
    double horizontalFov;
    double verticalFov;
    // The part of the sky a cube view covers; recorded for information, not used in mapping.
    double coverageAzimuthMin = 0;
    double coverageAzimuthMax = 0;
    double coverageElevationMin = 0;
    double coverageElevationMax = 0;
};
