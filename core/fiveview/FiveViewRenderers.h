#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "fiveview/FaceGeometry.h"
#include "fiveview/FiveViewSettings.h"
#include "fiveview/PixelPaths.h"
#include "image/Image.h"
#include "ports/Progress.h"
#include "util/DefaultInitAllocator.h"

// Precomputed face pixels of every output sample, in output order (rows from the bottom,
// columns from the left), one entry per pixel for plain sampling and five for the 5x
// sub-sample. A sample without a face pixel has row and column -1. Valid only while every
// face keeps the size it had when the tables were built.
template <typename T>
using TableColumn = std::vector<T, DefaultInitAllocator<T>>;
struct FiveViewTables {
    TableColumn<uint8_t> faceTable;
    TableColumn<int16_t> rowTable;
    TableColumn<int16_t> columnTable;
};

// Face coordinates are stored in 16 bits.
inline constexpr int kMaxTableFaceSize = 32767;

// Weights of the elliptical filter by squared normalised distance (k / 1024).
using EwaWeights = std::array<double, 1024>;

// Each renderer runs its rows in bands on the render threads (ports/RowBands.h) with the
// same result for any thread count; the calling thread pumps the progress once per output
// row and steps it once per row, and a cancel stops the bands at their next row. Faces
// must all hold pixels; the output is the job's 24-bit picture, and pixels off the disc are
// never written.
void RenderPlain(CImage& output, const FiveViewSettings& settings, const FacePictures& faces,
                 Progress& progress);
void BuildPlainTable(const CImage& output, const FiveViewSettings& settings,
                     const FacePictures& faces, FiveViewTables& tables, Progress& progress);
void RenderPlainTable(CImage& output, const FiveViewSettings& settings, const FacePictures& faces,
                      const FiveViewTables& tables, Progress& progress);

void RenderSubsample5(CImage& output, const FiveViewSettings& settings, const FacePictures& faces,
                      Progress& progress);
void BuildSubsample5Table(const CImage& output, const FiveViewSettings& settings,
                          const FacePictures& faces, FiveViewTables& tables, Progress& progress);
void RenderSubsample5Table(CImage& output, const FiveViewSettings& settings,
                           const FacePictures& faces, const FiveViewTables& tables,
                           Progress& progress);

// The same renderers on float samples with alpha (deep/DeepPicture.h): the same sample
// positions, weights and coverage; the sums are kept in float and not rounded.
void RenderPlainDeep(DeepPicture& output, const FiveViewSettings& settings, const DeepFaces& faces,
                     Progress& progress);
void RenderSubsample5Deep(DeepPicture& output, const FiveViewSettings& settings,
                          const DeepFaces& faces, Progress& progress);
// Their tables (plain, or 5x for the 5x sub-sample), the same as the 8-bit faces' of the same
// sizes, and the render through them.
void BuildDeepTable(const DeepPicture& output, const FiveViewSettings& settings,
                    const DeepFaces& faces, FiveViewTables& tables, Progress& progress);
void RenderDeepTable(DeepPicture& output, const FiveViewSettings& settings,
                     const DeepFaces& faces, const FiveViewTables& tables, Progress& progress);

void BuildEwaWeights(EwaWeights& weights, double falloff);
// EWA makes H + 1 steps: it starts one row below the picture to seed its neighbour memory.
void RenderEwaRGB(CImage& output, const FiveViewSettings& settings, const FacePictures& faces,
                  const EwaWeights& weights, Progress& progress);
void RenderEwaRGBA(CImage& output, const FiveViewSettings& settings, const FacePictures& faces,
                   const EwaWeights& weights, Progress& progress);
void RenderEwaDeep(DeepPicture& output, const FiveViewSettings& settings, const DeepFaces& faces,
                   const EwaWeights& weights, Progress& progress);
