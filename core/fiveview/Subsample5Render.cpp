#include "fiveview/FiveViewRenderers.h"
#include "fiveview/TableSampling.h"
#include "ports/RowBands.h"

void RenderSubsample5(CImage& output, const FiveViewSettings& settings, const FacePictures& faces,
                      Progress& progress) {
    const PolarGeometry geometry(output.Width(), output.Height(), settings.polarSweep,
                                 settings.polarFormat);
    using Pattern = SamplePattern<5>;
    const FaceReaders readers = ReadersOf(faces);
    const RgbWriter writer(output);
    const int w = output.Width();
    ForEachRow(0, output.Height() - 1, progress, [&](int i) {
        double u[5], v[5];
        for (int j = 0; j < w; ++j) {
            Pattern::Positions(geometry, j, i, u, v);
            int sums[3] = {0, 0, 0};
            for (int s = 0; s < 5; ++s) {
                const FaceHit hit = geometry.Locate(faces, u[s], v[s]);
                if (!hit.Found()) continue;
                uint8_t r = 0, g = 0, b = 0;
                readers[static_cast<size_t>(hit.face)].Get(hit.column, hit.row, r, g, b);
                sums[0] += Pattern::kWeights[s] * r;
                sums[1] += Pattern::kWeights[s] * g;
                sums[2] += Pattern::kWeights[s] * b;
            }
            // Samples off the disc count as black, so the rim darkens.
            writer.Set(j, i, static_cast<uint8_t>(sums[0] / Pattern::kTotalWeight),
                       static_cast<uint8_t>(sums[1] / Pattern::kTotalWeight),
                       static_cast<uint8_t>(sums[2] / Pattern::kTotalWeight));
        }
    });
}

void BuildSubsample5Table(const CImage& output, const FiveViewSettings& settings,
                          const FacePictures& faces, FiveViewTables& tables, Progress& progress) {
    BuildSampleTable<5>(output, settings, faces, tables, progress);
}

void RenderSubsample5Table(CImage& output, const FiveViewSettings&, const FacePictures& faces,
                           const FiveViewTables& tables, Progress& progress) {
    RenderThroughTable<5>(output, faces, tables, progress);
}
