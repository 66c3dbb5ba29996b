#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "fiveview/FaceGeometry.h"
#include "fiveview/FaceReaders.h"
#include "fiveview/FiveViewRenderers.h"
#include "fiveview/PixelPaths.h"
#include "ports/RowBands.h"

// Sample patterns shared by the plain (one sample) and 5x (five samples) renderers.
template <int Samples>
struct SamplePattern;

template <>
struct SamplePattern<1> {
    static constexpr int kWeights[1] = {1};
    static constexpr int kTotalWeight = 1;
    static void Positions(const PolarGeometry& g, int j, int i, double* u, double* v) {
        u[0] = g.U(j);
        v[0] = g.V(i);
    }
};

template <>
struct SamplePattern<5> {
    static constexpr int kWeights[5] = {2, 1, 1, 1, 1};
    static constexpr int kTotalWeight = 6;
    // Offsets of a little less than a third of a pixel: the divisor is W, not W - 1.
    static void Positions(const PolarGeometry& g, int j, int i, double* u, double* v) {
        const double du = (1.0 / 3.0) / g.OutputWidth();
        const double dv = (1.0 / 3.0) / g.OutputHeight();
        const double cu = g.U(j), cv = g.V(i);
        const double su[5] = {cu, cu - du, cu + du, cu + du, cu - du};
        const double sv[5] = {cv, cv + dv, cv + dv, cv - dv, cv - dv};
        for (int s = 0; s < 5; ++s) {
            u[s] = su[s];
            v[s] = sv[s];
        }
    }
};

// Calls visit(j, hits) for each pixel j of row i, hits being its Samples face pixels in the
// pattern's order; the row's samples are located a batch at a time.
template <int Samples, typename FaceArray, typename Visit>
void LocateRowSamples(const PolarGeometry& geometry, const FaceArray& faces, int i,
                      const Visit& visit) {
    constexpr int kPixels = PolarGeometry::kBatch / Samples;
    double u[kPixels * Samples], v[kPixels * Samples];
    FaceHit hits[kPixels * Samples];
    const int w = geometry.OutputWidth();
    for (int first = 0; first < w; first += kPixels) {
        const int pixels = std::min(kPixels, w - first);
        for (int k = 0; k < pixels; ++k) {
            SamplePattern<Samples>::Positions(geometry, first + k, i, u + k * Samples,
                                              v + k * Samples);
        }
        geometry.LocateBatch(faces, u, v, pixels * Samples, hits);
        for (int k = 0; k < pixels; ++k) visit(first + k, hits + k * Samples);
    }
}

inline int16_t TableCoordinate(int value) {
    return value >= 0 && value <= std::numeric_limits<int16_t>::max() ? static_cast<int16_t>(value)
                                                                      : int16_t{-1};
}

// The table of any face array: it depends only on the faces' sizes.
template <int Samples, typename FaceArray, typename Output>
void BuildSampleTable(const Output& output, const FiveViewSettings& settings,
                      const FaceArray& faces, FiveViewTables& tables, Progress& progress) {
    const int w = output.Width(), h = output.Height();
    const PolarGeometry geometry(w, h, settings.polarSweep, settings.polarFormat);
    const size_t entries = static_cast<size_t>(w) * static_cast<size_t>(h) * Samples;
    // Every entry is written by its row's band; a cancelled build leaves no table.
    tables.faceTable.resize(entries);
    tables.rowTable.resize(entries);
    tables.columnTable.resize(entries);
    const bool finished = ForEachRow(0, h - 1, progress, [&](int i) {
        LocateRowSamples<Samples>(geometry, faces, i, [&](int j, const FaceHit* hits) {
            size_t entry = (static_cast<size_t>(i) * static_cast<size_t>(w) + j) * Samples;
            for (int s = 0; s < Samples; ++s, ++entry) {
                const bool found = hits[s].Found();
                tables.faceTable[entry] = found ? static_cast<uint8_t>(hits[s].face) : 0;
                tables.rowTable[entry] = found ? TableCoordinate(hits[s].row) : int16_t{-1};
                tables.columnTable[entry] = found ? TableCoordinate(hits[s].column) : int16_t{-1};
            }
        });
    });
    if (!finished) tables = FiveViewTables{};
}

// A pixel whose only sample has no face pixel keeps its content; with several samples the
// weighted sum is written whatever it holds. Tables of another output size are ignored.
template <typename Path, int Samples>
void RenderThroughTable(typename Path::Output& output, const typename Path::FaceArray& faceArray,
                        const FiveViewTables& tables, Progress& progress) {
    const int w = output.Width(), h = output.Height();
    const size_t entries = static_cast<size_t>(w) * static_cast<size_t>(h) * Samples;
    if (tables.faceTable.size() != entries || tables.rowTable.size() != entries ||
        tables.columnTable.size() != entries) {
        return;
    }
    const typename Path::Faces faces(faceArray);
    const typename Path::Writer writer(output);
    ForEachRow(0, h - 1, progress, [&](int i) {
        size_t entry = static_cast<size_t>(i) * static_cast<size_t>(w) * Samples;
        for (int j = 0; j < w; ++j) {
            typename Path::Sum sum;
            bool any = false;
            for (int s = 0; s < Samples; ++s, ++entry) {
                const int row = tables.rowTable[entry], column = tables.columnTable[entry];
                if (row < 0 || column < 0) continue;
                typename Path::Sample sample;
                faces.Get(tables.faceTable[entry], column, row, sample);
                sum.Add(SamplePattern<Samples>::kWeights[s], sample);
                any = true;
            }
            if (Samples == 1 && !any) continue;
            writer.Set(j, i, sum.Finish(SamplePattern<Samples>::kTotalWeight));
        }
    });
}
