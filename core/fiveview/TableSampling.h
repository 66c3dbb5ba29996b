#pragma once

#include <cstdint>
#include <limits>

#include "fiveview/FaceGeometry.h"
#include "fiveview/FaceReaders.h"
#include "fiveview/FiveViewRenderers.h"
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

inline int16_t TableCoordinate(int value) {
    return value >= 0 && value <= std::numeric_limits<int16_t>::max() ? static_cast<int16_t>(value)
                                                                      : int16_t{-1};
}

template <int Samples>
void BuildSampleTable(const CImage& output, const FiveViewSettings& settings,
                      const FacePictures& faces, FiveViewTables& tables, Progress& progress) {
    const int w = output.Width(), h = output.Height();
    const PolarGeometry geometry(w, h, settings.polarSweep, settings.polarFormat);
    const size_t entries = static_cast<size_t>(w) * static_cast<size_t>(h) * Samples;
    tables.faceTable.assign(entries, 0);
    tables.rowTable.assign(entries, -1);
    tables.columnTable.assign(entries, -1);
    ForEachRow(0, h - 1, progress, [&](int i) {
        size_t entry = static_cast<size_t>(i) * static_cast<size_t>(w) * Samples;
        double u[Samples], v[Samples];
        for (int j = 0; j < w; ++j) {
            SamplePattern<Samples>::Positions(geometry, j, i, u, v);
            for (int s = 0; s < Samples; ++s, ++entry) {
                const FaceHit hit = geometry.Locate(faces, u[s], v[s]);
                if (!hit.Found()) continue;
                tables.faceTable[entry] = static_cast<uint8_t>(hit.face);
                tables.rowTable[entry] = TableCoordinate(hit.row);
                tables.columnTable[entry] = TableCoordinate(hit.column);
            }
        }
    });
}

// A pixel whose only sample has no face pixel keeps its content; with several samples the
// weighted sum is written whatever it holds.
template <int Samples>
void RenderThroughTable(CImage& output, const FacePictures& faces, const FiveViewTables& tables,
                        Progress& progress) {
    const int w = output.Width(), h = output.Height();
    const size_t entries = static_cast<size_t>(w) * static_cast<size_t>(h) * Samples;
    if (output.BitsPerPixel() != 24 || tables.faceTable.size() != entries ||
        tables.rowTable.size() != entries || tables.columnTable.size() != entries) {
        return;
    }
    uint8_t* const bits = output.Bits();
    const size_t rowBytes = static_cast<size_t>(output.RowBytes());
    const FaceReaders readers = ReadersOf(faces);
    ForEachRow(0, h - 1, progress, [&](int i) {
        size_t entry = static_cast<size_t>(i) * static_cast<size_t>(w) * Samples;
        uint8_t* pixel = bits + static_cast<size_t>(i) * rowBytes;
        for (int j = 0; j < w; ++j, pixel += 3) {
            int sums[3] = {0, 0, 0};
            bool any = false;
            for (int s = 0; s < Samples; ++s, ++entry) {
                const int row = tables.rowTable[entry], column = tables.columnTable[entry];
                if (row < 0 || column < 0) continue;
                uint8_t r = 0, g = 0, b = 0;
                readers[tables.faceTable[entry]].Get(column, row, r, g, b);
                const int weight = SamplePattern<Samples>::kWeights[s];
                sums[0] += weight * r;
                sums[1] += weight * g;
                sums[2] += weight * b;
                any = true;
            }
            if (Samples == 1 && !any) continue;
            constexpr int total = SamplePattern<Samples>::kTotalWeight;
            pixel[0] = static_cast<uint8_t>(sums[2] / total);
            pixel[1] = static_cast<uint8_t>(sums[1] / total);
            pixel[2] = static_cast<uint8_t>(sums[0] / total);
        }
    });
}
