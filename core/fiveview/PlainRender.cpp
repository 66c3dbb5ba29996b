#include "fiveview/FiveViewRenderers.h"
#include "fiveview/PixelPaths.h"
#include "fiveview/TableSampling.h"
#include "ports/RowBands.h"

namespace {

template <typename Path>
void RenderPlainOn(typename Path::Output& output, const FiveViewSettings& settings,
                   const typename Path::FaceArray& faceArray, Progress& progress) {
    const PolarGeometry geometry(output.Width(), output.Height(), settings.polarSweep,
                                 settings.polarFormat);
    const typename Path::Faces faces(faceArray);
    const typename Path::Writer writer(output);
    ForEachRow(0, output.Height() - 1, progress, [&](int i) {
        LocateRowSamples<1>(geometry, faceArray, i, [&](int j, const FaceHit* hit) {
            if (!hit->Found()) return;
            typename Path::Sample sample;
            faces.Get(hit->face, hit->column, hit->row, sample);
            writer.Set(j, i, sample);
        });
    });
}

}  // namespace

void RenderPlain(CImage& output, const FiveViewSettings& settings, const FacePictures& faces,
                 Progress& progress) {
    RenderPlainOn<EightBitPath>(output, settings, faces, progress);
}

void RenderPlainDeep(DeepPicture& output, const FiveViewSettings& settings, const DeepFaces& faces,
                     Progress& progress) {
    RenderPlainOn<DeepPath>(output, settings, faces, progress);
}

void BuildPlainTable(const CImage& output, const FiveViewSettings& settings,
                     const FacePictures& faces, FiveViewTables& tables, Progress& progress) {
    BuildSampleTable<1>(output, settings, faces, tables, progress);
}

void RenderPlainTable(CImage& output, const FiveViewSettings&, const FacePictures& faces,
                      const FiveViewTables& tables, Progress& progress) {
    RenderThroughTable<EightBitPath, 1>(output, faces, tables, progress);
}
