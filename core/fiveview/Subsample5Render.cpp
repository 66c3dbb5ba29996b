#include "fiveview/FiveViewRenderers.h"
#include "fiveview/PixelPaths.h"
#include "fiveview/TableSampling.h"
#include "ports/RowBands.h"

namespace {

template <typename Path>
void RenderSubsample5On(typename Path::Output& output, const FiveViewSettings& settings,
                        const typename Path::FaceArray& faceArray, Progress& progress) {
    const PolarGeometry geometry(output.Width(), output.Height(), settings.polarSweep,
                                 settings.polarFormat);
    using Pattern = SamplePattern<5>;
    const typename Path::Faces faces(faceArray);
    const typename Path::Writer writer(output);
    ForEachRow(0, output.Height() - 1, progress, [&](int i) {
        LocateRowSamples<5>(geometry, faceArray, i, [&](int j, const FaceHit* hits) {
            typename Path::Sum sum;
            for (int s = 0; s < 5; ++s) {
                if (!hits[s].Found()) continue;
                typename Path::Sample sample;
                faces.Get(hits[s].face, hits[s].column, hits[s].row, sample);
                sum.Add(Pattern::kWeights[s], sample);
            }
            // Samples off the disc count as black (and clear), so the rim darkens.
            writer.Set(j, i, sum.Finish(Pattern::kTotalWeight));
        });
    });
}

}  // namespace

void RenderSubsample5(CImage& output, const FiveViewSettings& settings, const FacePictures& faces,
                      Progress& progress) {
    RenderSubsample5On<EightBitPath>(output, settings, faces, progress);
}

void RenderSubsample5Deep(DeepPicture& output, const FiveViewSettings& settings,
                          const DeepFaces& faces, Progress& progress) {
    RenderSubsample5On<DeepPath>(output, settings, faces, progress);
}

void BuildSubsample5Table(const CImage& output, const FiveViewSettings& settings,
                          const FacePictures& faces, FiveViewTables& tables, Progress& progress) {
    BuildSampleTable<5>(output, settings, faces, tables, progress);
}

void RenderSubsample5Table(CImage& output, const FiveViewSettings&, const FacePictures& faces,
                           const FiveViewTables& tables, Progress& progress) {
    RenderThroughTable<EightBitPath, 5>(output, faces, tables, progress);
}
