#include "fiveview/FiveViewRenderers.h"
#include "fiveview/TableSampling.h"
#include "ports/RowBands.h"

void RenderSubsample5(CImage& output, const FiveViewSettings& settings, const FacePictures& faces,
                      Progress& progress) {
    const PolarGeometry geometry(output.Width(), output.Height(), settings.polarSweep,
                                 settings.polarFormat);
    using Pattern = SamplePattern<5>;
    ForEachRow(0, output.Height() - 1, progress, [&](int i) {
        double u[5], v[5];
        for (int j = 0; j < output.Width(); ++j) {
            Pattern::Positions(geometry, j, i, u, v);
            int sums[3] = {0, 0, 0};
            for (int s = 0; s < 5; ++s) {
                const FaceHit hit = geometry.Locate(faces, u[s], v[s]);
                if (!hit.Found()) continue;
                uint8_t r = 0, g = 0, b = 0;
                faces[static_cast<size_t>(hit.face)].GetRGB(hit.column, hit.row, r, g, b);
                sums[0] += Pattern::kWeights[s] * r;
                sums[1] += Pattern::kWeights[s] * g;
                sums[2] += Pattern::kWeights[s] * b;
            }
            // Samples off the disc count as black, so the rim darkens.
            output.SetRGB(j, i, sums[0] / Pattern::kTotalWeight, sums[1] / Pattern::kTotalWeight,
                          sums[2] / Pattern::kTotalWeight);
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
