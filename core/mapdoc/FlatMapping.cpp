#include "mapdoc/FlatMapping.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "deep/PixelTypes.h"
#include "mapdoc/PanSettings.h"
#include "ports/RowBands.h"
#include "util/Angles.h"

namespace {

// A sample's offset from the pixel centre in azimuth and altitude steps.
struct Offset {
    double azimuth;
    double altitude;
};

const double kSin60 = std::sin(60 * kDegToRad);
const double kCos60 = std::cos(60 * kDegToRad);

constexpr Offset kCentre[] = {{0, 0}};
constexpr Offset k4x[] = {
    {-1.0 / 3, -1.0 / 3}, {1.0 / 3, -1.0 / 3}, {1.0 / 3, 1.0 / 3}, {-1.0 / 3, 1.0 / 3}};
// A hexagon of radius half a step around the centre, and the centre.
const Offset k7x[] = {
    {-kCos60 / 2, -kSin60 / 2}, {kCos60 / 2, -kSin60 / 2}, {-0.5, 0}, {0, 0}, {0.5, 0},
    {-kCos60 / 2, kSin60 / 2},  {kCos60 / 2, kSin60 / 2}};
constexpr int kMaxSamples = 7;

struct SamplePattern {
    const Offset* offsets;
    int count;
};

SamplePattern PatternOf(int antiAliasing) {
    switch (antiAliasing) {
        case kMap4x:
            return {k4x, 4};
        case kMap7x:
            return {k7x, 7};
        default:
            return {kCentre, 1};
    }
}

Vec3d Scaled(const Vec3d& v, double s) {
    return {v.x * s, v.y * s, v.z * s};
}
Vec3d Sum(const Vec3d& a, const Vec3d& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

// Keeps a real row or column within a range an int holds before it is truncated.
int TruncatedIndex(double position) {
    if (!(position > -1e9)) return -1000000000;
    return static_cast<int>(std::min(position, 1e9));
}

// Rectangle index of an angle: trunc((angle - first) * (count - 1) / (last - first) + 0.5).
int IndexOf(double angle, double first, double last, int count) {
    if (last == first || count <= 1) return 0;
    return TruncatedIndex((angle - first) * (count - 1) / (last - first) + 0.5);
}

template <class Pixels>
bool SampleAt(const MapGrid& grid, const CameraBasis& basis, const typename Pixels::Reader& image,
              double sinAz, double cosAz, double sinEl, double cosEl,
              typename Pixels::Sample& sample) {
    const Vec3d d{sinAz * cosEl - grid.eye.x, sinEl - grid.eye.y, cosAz * cosEl - grid.eye.z};
    const double s = Dot(d, basis.w);
    if (s == 0) return false;
    const double t = Dot(basis.w, basis.w) / s;
    if (t < 0) return false;
    const Vec3d q = Sum(Scaled(d, t), Scaled(basis.w, -1));
    const double sx = Dot(q, basis.u) + basis.th;
    const double sy = Dot(q, basis.v) + basis.tv;
    if (!(sx >= 0 && sx < 2 * basis.th && sy >= 0 && sy < 2 * basis.tv)) return false;
    const int x = static_cast<int>(sx * basis.wp / (2 * basis.th));
    const int y = static_cast<int>(sy * basis.hp / (2 * basis.tv));
    return image.Get(x, y, sample);
}

void Widen(PixelBox& box, int row, int column) {
    box.minRow = std::min(box.minRow, row);
    box.maxRow = std::max(box.maxRow, row);
    box.minColumn = std::min(box.minColumn, column);
    box.maxColumn = std::max(box.maxColumn, column);
}

// Forward-maps count evenly spaced points from (a0, b0) to (a1, b1) into the box; a single
// point stands for both ends of an edge one pixel long.
void MapEdge(const MapGrid& grid, const CameraBasis& basis, int count, double a0, double b0,
             double a1, double b1, PixelBox& box) {
    const int points = std::max(count, 2);
    for (int i = 0; i < points; ++i) {
        const double f = static_cast<double>(i) / (points - 1);
        int row = box.minRow, column = box.minColumn;
        PatchToPixel(grid, a0 + f * (a1 - a0), b0 + f * (b1 - b0), basis, row, column);
        Widen(box, row, column);
    }
}

}  // namespace

double MapGrid::AzimuthStep() const {
    return width > 1 ? (azimuthRight - azimuthLeft) / (width - 1) : 0;
}

double MapGrid::AltitudeStep() const {
    return height > 1 ? (altitudeTop - altitudeBottom) / (height - 1) : 0;
}

CameraBasis BasisOf(const Patch& patch) {
    if (patch.image && patch.image->HasImage()) {
        return BasisOf(patch, patch.image->Width(), patch.image->Height());
    }
    return BasisOf(patch, 0, 0);
}

CameraBasis BasisOf(const Patch& patch, int pictureWidth, int pictureHeight) {
    const double r = patch.roll * kDegToRad, e = patch.elevation * kDegToRad,
                 a = patch.azimuth * kDegToRad;
    CameraBasis basis;
    basis.w = {std::cos(e) * std::sin(a), std::sin(e), std::cos(e) * std::cos(a)};
    const Vec3d u0{std::cos(a), 0, -std::sin(a)};
    const Vec3d v0{-std::sin(e) * std::sin(a), std::cos(e), -std::sin(e) * std::cos(a)};
    basis.u = Sum(Scaled(u0, std::cos(r)), Scaled(v0, std::sin(r)));
    basis.v = Sum(Scaled(u0, -std::sin(r)), Scaled(v0, std::cos(r)));
    basis.th = std::tan(patch.horizontalFov / 2 * kDegToRad);
    basis.tv = std::tan(patch.verticalFov / 2 * kDegToRad);
    basis.wp = pictureWidth;
    basis.hp = pictureHeight;
    return basis;
}

bool PatchToPixel(const MapGrid& grid, double a, double b, const CameraBasis& basis, int& row,
                  int& column) {
    const Vec3d& e = grid.eye;
    const double d = Dot(e, e);
    if (d >= 1) return false;
    const Vec3d ray = Sum(Sum(Scaled(basis.u, a), Scaled(basis.v, b)), basis.w);
    const double lengthSquared = Dot(ray, ray), length = std::sqrt(lengthSquared);
    const double along = Dot(ray, e);
    const double t =
        length > 0 ? (std::sqrt(along * along / lengthSquared + 1 - d) - along / length) / length
                   : 0;
    const Vec3d x = Sum(e, Scaled(ray, t));
    const double azimuth = std::atan2(x.x, x.z) * kRadToDeg;
    const double altitude = std::atan2(x.y, std::sqrt(x.x * x.x + x.z * x.z)) * kRadToDeg;
    row = IndexOf(altitude, grid.altitudeBottom, grid.altitudeTop, grid.height);
    column = IndexOf(azimuth, grid.azimuthLeft, grid.azimuthRight, grid.width);
    return true;
}

PixelBox PatchBounds(const MapGrid& grid, const CameraBasis& basis) {
    PixelBox box;
    int row = 0, column = 0;
    if (!PatchToPixel(grid, 0, 0, basis, row, column)) {
        return {0, grid.height - 1, 0, grid.width - 1};
    }
    box = {row, row, column, column};
    const double th = basis.th, tv = basis.tv;
    MapEdge(grid, basis, basis.wp, -th, tv, th, tv, box);
    MapEdge(grid, basis, basis.wp, -th, -tv, th, -tv, box);
    MapEdge(grid, basis, basis.hp, -th, tv, -th, -tv, box);
    MapEdge(grid, basis, basis.hp, th, tv, th, -tv, box);
    return box;
}

PixelBox ScanBox(const MapGrid& grid, const Patch& patch, const CameraBasis& basis) {
    PixelBox box = PatchBounds(grid, basis);
    box.minRow -= 2;
    box.maxRow += 2;
    box.minColumn -= 2;
    box.maxColumn += 2;
    // A view looking that high may hold the zenith, which its outline does not enclose.
    if (patch.elevation > 45) box.maxRow = grid.height;
    box.minRow = std::max(box.minRow, 0);
    box.minColumn = std::max(box.minColumn, 0);
    box.maxRow = std::min(box.maxRow, grid.height - 1);
    box.maxColumn = std::min(box.maxColumn, grid.width - 1);
    return box;
}

bool SampleDirection(const MapGrid& grid, const CameraBasis& basis, const CImage& image,
                     double azimuthDegrees, double altitudeDegrees, uint8_t rgb[3]) {
    const double az = azimuthDegrees * kDegToRad, el = altitudeDegrees * kDegToRad;
    EightBitPixels::Sample sample;
    if (!SampleAt<EightBitPixels>(grid, basis, EightBitPixels::Reader(image), std::sin(az),
                                  std::cos(az), std::sin(el), std::cos(el), sample)) {
        return false;
    }
    rgb[0] = sample.red;
    rgb[1] = sample.green;
    rgb[2] = sample.blue;
    return true;
}

namespace {

// The sines and cosines of every sample azimuth the scan meets, column by column: each
// row meets the same ones.
struct ColumnAngles {
    std::vector<double> sine;
    std::vector<double> cosine;
};

ColumnAngles AnglesOfColumns(const MapGrid& grid, const PixelBox& box,
                             const SamplePattern& pattern) {
    const size_t count = static_cast<size_t>(box.maxColumn - box.minColumn + 1) * pattern.count;
    ColumnAngles angles{std::vector<double>(count), std::vector<double>(count)};
    const double dAz = grid.AzimuthStep();
    size_t at = 0;
    for (int column = box.minColumn; column <= box.maxColumn; ++column) {
        const double az = grid.azimuthLeft + column * dAz;
        for (int s = 0; s < pattern.count; ++s, ++at) {
            const double sampleAz = (az + pattern.offsets[s].azimuth * dAz) * kDegToRad;
            angles.sine[at] = std::sin(sampleAz);
            angles.cosine[at] = std::cos(sampleAz);
        }
    }
    return angles;
}

template <class Pixels>
void MapPatchRow(const typename Pixels::Writer& rectangle, const MapGrid& grid,
                 const CameraBasis& basis, const typename Pixels::Reader& image,
                 const PixelBox& box, const SamplePattern& pattern, const ColumnAngles& columns,
                 int row) {
    const double dAlt = grid.AltitudeStep();
    const double el = grid.altitudeBottom + row * dAlt;
    double sinEl[kMaxSamples], cosEl[kMaxSamples];
    for (int s = 0; s < pattern.count; ++s) {
        const double sampleEl = (el + pattern.offsets[s].altitude * dAlt) * kDegToRad;
        sinEl[s] = std::sin(sampleEl);
        cosEl[s] = std::cos(sampleEl);
    }
    size_t at = 0;
    for (int column = box.minColumn; column <= box.maxColumn; ++column) {
        typename Pixels::Sum sum;
        int hits = 0;
        for (int s = 0; s < pattern.count; ++s, ++at) {
            typename Pixels::Sample sample;
            if (!SampleAt<Pixels>(grid, basis, image, columns.sine[at], columns.cosine[at],
                                  sinEl[s], cosEl[s], sample)) {
                continue;
            }
            sum.Add(1, sample);
            ++hits;
        }
        // Misses do not count: a pixel half covered gets the patch's own colour.
        if (hits) rectangle.Set(column, row, sum.Finish(hits));
    }
}

// Passes pumps and cancels on to a display but keeps the steps: the caller steps the
// display once per view, not per row.
class PumpOnly : public SilentProgress {
  public:
    explicit PumpOnly(Progress* display) : display(display) {}
    void PumpMessages(int escCancels) override {
        if (!display) return;
        display->PumpMessages(escCancels);
        cancelled = display->cancelled;
    }

  private:
    Progress* display;
};

}  // namespace

namespace {

template <class Pixels>
bool MapPictureInto(typename Pixels::Picture& rectangle, const MapGrid& grid, const Patch& patch,
                    const typename Pixels::Picture& picture, Progress* progress) {
    if (!HasPixels(picture)) return true;
    const CameraBasis basis = BasisOf(patch, picture.Width(), picture.Height());
    const PixelBox box = ScanBox(grid, patch, basis);
    if (box.maxRow < box.minRow || box.maxColumn < box.minColumn) return true;
    const SamplePattern pattern = PatternOf(grid.antiAliasing);
    const ColumnAngles columns = AnglesOfColumns(grid, box, pattern);
    const typename Pixels::Reader reader(picture);
    const typename Pixels::Writer writer(rectangle);
    PumpOnly pump(progress);
    return ForEachRow(box.minRow, box.maxRow, pump, [&](int row) {
        MapPatchRow<Pixels>(writer, grid, basis, reader, box, pattern, columns, row);
    });
}

}  // namespace

bool MapPatchInto(CImage& rectangle, const MapGrid& grid, const Patch& patch, Progress* progress) {
    if (!patch.image) return true;
    return MapPictureInto<EightBitPixels>(rectangle, grid, patch, *patch.image, progress);
}

bool MapPictureIntoDeep(DeepPicture& rectangle, const MapGrid& grid, const Patch& patch,
                        const DeepPicture& picture, Progress* progress) {
    return MapPictureInto<DeepPixels>(rectangle, grid, patch, picture, progress);
}

MapGrid GridOf(const PanSettings& settings) {
    MapGrid grid;
    grid.width = settings.width;
    grid.height = settings.height;
    grid.azimuthLeft = settings.azimuthLeft;
    grid.azimuthRight = settings.azimuthRight;
    grid.altitudeBottom = settings.altitudeBottom;
    grid.altitudeTop = settings.altitudeTop;
    grid.eye = {settings.eyeX, settings.eyeY, settings.eyeZ};
    grid.antiAliasing = settings.antiAliasing;
    return grid;
}
