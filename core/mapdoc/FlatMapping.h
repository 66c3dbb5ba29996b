#pragma once

#include "image/Image.h"
#include "mapdoc/Patch.h"
#include "ports/Progress.h"

struct Vec3d {
    double x = 0;
    double y = 0;
    double z = 0;
};

inline double Dot(const Vec3d& a, const Vec3d& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The rectangular equidistant picture of the dome seen from the centre, and the eyepoint the
// camera views were taken from (dome radius 1, y up, azimuth 0 along +z, 90 along +x).
struct MapGrid {
    int width = 0;
    int height = 0;
    double azimuthLeft = 0;
    double azimuthRight = 0;
    double altitudeBottom = 0;
    double altitudeTop = 0;
    Vec3d eye;
    int antiAliasing = 0;  // 0 none, 1 4x, 2 7x

    // Degrees per column and per row; 0 for a single column or row, which stays at its
    // left or bottom limit.
    double AzimuthStep() const;
    double AltitudeStep() const;
};

// The grid of a map document's parameters, the eyepoint as given.
struct PanSettings;
MapGrid GridOf(const PanSettings& settings);

// A patch's camera: optical axis w, image right u and up v (after roll), and the half extents
// of its image plane in tangent units.
struct CameraBasis {
    Vec3d u;
    Vec3d v;
    Vec3d w;
    double th = 0;
    double tv = 0;
    int wp = 0;
    int hp = 0;
};

CameraBasis BasisOf(const Patch& patch);
// The same for a picture of that size in place of the patch's own.
CameraBasis BasisOf(const Patch& patch, int pictureWidth, int pictureHeight);

// Forward map of image-plane point (a, b) to the rectangle; false (outputs untouched) when
// the eyepoint is not strictly inside the dome.
bool PatchToPixel(const MapGrid& grid, double a, double b, const CameraBasis& basis, int& row,
                  int& column);

struct PixelBox {
    int minRow = 0;
    int maxRow = -1;
    int minColumn = 0;
    int maxColumn = -1;
};

// The rows and columns the patch's outline maps to; the whole rectangle when the eyepoint lies
// on or outside the dome, where the forward map gives nothing.
PixelBox PatchBounds(const MapGrid& grid, const CameraBasis& basis);

// The rectangle pixels the mapping visits: the outline's box widened by two pixels (up to the
// top row for a camera looking higher than 45 degrees), clamped to the rectangle.
PixelBox ScanBox(const MapGrid& grid, const Patch& patch, const CameraBasis& basis);

// The colour the patch shows along the line of sight from the eyepoint to the dome point
// of the azimuth and altitude; false on a miss.
bool SampleDirection(const MapGrid& grid, const CameraBasis& basis, const CImage& image,
                     double azimuthDegrees, double altitudeDegrees, uint8_t rgb[3]);

// Paints the patch into the rectangle. With a progress display, pumps it before each row and
// stops when it is cancelled (answering false).
bool MapPatchInto(CImage& rectangle, const MapGrid& grid, const Patch& patch, Progress* progress);
// The same with float samples and alpha: a deep picture taken where the patch's camera looked
// (the patch's own picture is not used), each rectangle pixel the mean of its samples' four
// channels.
class DeepPicture;
bool MapPictureIntoDeep(DeepPicture& rectangle, const MapGrid& grid, const Patch& patch,
                        const DeepPicture& picture, Progress* progress);
