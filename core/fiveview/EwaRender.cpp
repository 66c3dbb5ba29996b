#include <algorithm>
#include <cmath>
#include <vector>

#include "fiveview/FaceReaders.h"
#include "fiveview/FiveViewRenderers.h"
#include "ports/RowBands.h"

void BuildEwaWeights(EwaWeights& weights, double falloff) {
    for (size_t k = 0; k < weights.size(); ++k) {
        weights[k] = std::exp(-falloff * std::sqrt(static_cast<double>(k) / 1024.0));
    }
}

namespace {

// trunc(value) clamped to lowest..highest in real arithmetic, so that no huge or undefined
// value reaches an integer conversion.
int ClampedTrunc(double value, int lowest, int highest) {
    const double t = std::trunc(value);
    if (!(t >= lowest)) return lowest;
    if (t > highest) return highest;
    return static_cast<int>(t);
}

// One elliptical footprint in a face: accumulates weighted samples into sums[] and answers
// the total weight (0 when no face pixel centre lies inside the ellipse).
template <typename Path>
double AccumulateEllipse(const typename Path::Faces& faces, int faceIndex, int faceWidth,
                         int faceHeight, const EwaWeights& weights, double uc, double vc, double ux,
                         double vx, double uy, double vy, double* sums) {
    const double det = ux * vy - uy * vx;
    const double z = 1024.0 / (det * det);
    // A degenerate footprint (all three points coincide, or a neighbour at infinity) has no
    // ellipse; the caller falls back to a bilinear read.
    if (det == 0 || !std::isfinite(z) || !std::isfinite(uc) || !std::isfinite(vc)) return 0;
    const double a = z * (vx * vx + vy * vy);
    const double b = -2 * z * (ux * vx + uy * vy);
    const double c = z * (ux * ux + uy * uy);
    const double f = z * det * det;
    const double ur = std::max(std::fabs(ux), std::fabs(uy));
    const double vr = std::max(std::fabs(vx), std::fabs(vy));
    const int lastColumn = faceWidth - 1, lastRow = faceHeight - 1;
    const int xMin = ClampedTrunc(uc - ur, 0, lastColumn);
    const int xMax = ClampedTrunc(uc + ur + 0.5, -1, lastColumn);
    const int yMin = ClampedTrunc(vc - vr, 0, lastRow);
    const int yMax = ClampedTrunc(vc + vr + 0.5, -1, lastRow);

    double weightSum = 0;
    for (int y = yMin; y <= yMax; ++y) {
        const double v = y - vc;
        const double u = xMin - uc;
        double q = a * u * u + b * u * v + c * v * v;
        double dq = a * (2 * u + 1) + b * v;
        for (int x = xMin; x <= xMax; ++x) {
            if (q < f) {
                // Rounding can leave q a hair below 0 or F a hair above 1024.
                const int k = std::clamp(static_cast<int>(q), 0, 1023);
                const double w = weights[static_cast<size_t>(k)];
                faces.AddWeighted(faceIndex, x, y, w, sums);
                weightSum += w;
            }
            q += dq;
            dq += 2 * a;
        }
    }
    return weightSum;
}

template <typename Path>
void RenderEwa(typename Path::Output& output, const FiveViewSettings& settings,
               const typename Path::FaceArray& faceArray, const EwaWeights& weights,
               Progress& progress) {
    const int w = output.Width(), h = output.Height();
    const PolarGeometry geometry(w, h, settings.polarSweep, settings.polarFormat);
    const typename Path::Faces faces(faceArray);
    const typename Path::Writer writer(output);
    // What a row hands the next: the directions of its pixels (index j + 1 holds column j),
    // and along the row the direction of the previous column. A band starts from the
    // directions of the row before it, computed afresh, so that no band waits for another.
    struct Neighbours {
        std::vector<DomeDirection> below;
        DomeDirection left;
    };
    const auto startBand = [&](int firstRow) {
        Neighbours n{std::vector<DomeDirection>(static_cast<size_t>(w) + 1), {}};
        const double v = geometry.V(firstRow - 1);
        for (int j = -1; j < w; ++j)
            n.below[static_cast<size_t>(j + 1)] = geometry.Direction(geometry.U(j), v);
        return n;
    };

    // Row -1 and column -1 lie off the disc: they only start the neighbours.
    ForEachRowBand(-1, h - 1, progress, startBand, [&](Neighbours& n, int i) {
        std::vector<DomeDirection>& below = n.below;
        DomeDirection& left = n.left;
        const double v = geometry.V(i);
        for (int j = -1; j < w; ++j) {
            const double u = geometry.U(j);
            const DomeDirection current = geometry.Direction(u, v);
            const int faceIndex = geometry.ChooseFace(current);
            double p, q, pl, ql, pu, qu;
            geometry.FacePlane(faceIndex, current, p, q);
            geometry.FacePlane(faceIndex, left, pl, ql);
            DomeDirection& under = below[static_cast<size_t>(j + 1)];
            geometry.FacePlane(faceIndex, under, pu, qu);
            left = current;
            under = current;
            if (!PolarGeometry::OnDisc(u, v)) continue;

            const auto& face = faceArray[static_cast<size_t>(faceIndex)];
            const double halfW = (face.Width() - 1) * 0.5, halfH = (face.Height() - 1) * 0.5;
            const double uc = (p + 1) * halfW, vc = (q + 1) * halfH;
            const double ux = uc - (pl + 1) * halfW, vx = vc - (ql + 1) * halfH;
            const double uy = uc - (pu + 1) * halfW, vy = vc - (qu + 1) * halfH;

            double sums[4] = {0, 0, 0, 0};
            const double weightSum =
                AccumulateEllipse<Path>(faces, faceIndex, face.Width(), face.Height(), weights, uc,
                                        vc, ux, vx, uy, vy, sums);
            writer.Set(j, i,
                       weightSum != 0 ? Path::Average(sums, weightSum)
                                      : faces.Bilinear(faceIndex, uc, vc));
        }
    });
}

}  // namespace

void RenderEwaRGB(CImage& output, const FiveViewSettings& settings, const FacePictures& faces,
                  const EwaWeights& weights, Progress& progress) {
    RenderEwa<EightBitPath>(output, settings, faces, weights, progress);
}

void RenderEwaRGBA(CImage& output, const FiveViewSettings& settings, const FacePictures& faces,
                   const EwaWeights& weights, Progress& progress) {
    RenderEwa<EightBitAlphaPath>(output, settings, faces, weights, progress);
}

void RenderEwaDeep(DeepPicture& output, const FiveViewSettings& settings, const DeepFaces& faces,
                   const EwaWeights& weights, Progress& progress) {
    RenderEwa<DeepPath>(output, settings, faces, weights, progress);
}
