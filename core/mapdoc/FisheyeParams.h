#pragma once

// The "Fisheye parameters": the fisheye picture's full fields of view across and up, and how
// far its optical axis (at azimuth 0) is tilted above the horizon, all in degrees. The
// starting values are those "&Map fisheye" and the fisheye batch present.
struct FisheyeParams {
    double horizontalFov = 146;
    double verticalFov = 82.125;
    double tilt = 20;
};
