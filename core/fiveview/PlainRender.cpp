#include "fiveview/FiveViewRenderers.h"
#include "fiveview/TableSampling.h"
#include "ports/RowBands.h"

void RenderPlain(CImage& output, const FiveViewSettings& settings, const FacePictures& faces,
                 Progress& progress) {
    const PolarGeometry geometry(output.Width(), output.Height(), settings.polarSweep,
                                 settings.polarFormat);
    const FaceReaders readers = ReadersOf(faces);
    const RgbWriter writer(output);
    const int w = output.Width();
    ForEachRow(0, output.Height() - 1, progress, [&](int i) {
        const double v = geometry.V(i);
        for (int j = 0; j < w; ++j) {
            const FaceHit hit = geometry.Locate(faces, geometry.U(j), v);
            if (!hit.Found()) continue;
            uint8_t r = 0, g = 0, b = 0;
            readers[static_cast<size_t>(hit.face)].Get(hit.column, hit.row, r, g, b);
            writer.Set(j, i, r, g, b);
        }
    });
}

void BuildPlainTable(const CImage& output, const FiveViewSettings& settings,
                     const FacePictures& faces, FiveViewTables& tables, Progress& progress) {
    BuildSampleTable<1>(output, settings, faces, tables, progress);
}

void RenderPlainTable(CImage& output, const FiveViewSettings&, const FacePictures& faces,
                      const FiveViewTables& tables, Progress& progress) {
    RenderThroughTable<1>(output, faces, tables, progress);
}
