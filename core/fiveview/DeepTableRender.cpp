#include "fiveview/FiveViewRenderers.h"
#include "fiveview/TableSampling.h"

void BuildDeepTable(const DeepPicture& output, const FiveViewSettings& settings,
                    const DeepFaces& faces, FiveViewTables& tables, Progress& progress) {
    if (settings.samplingMode == kSubsample5) {
        BuildSampleTable<5>(output, settings, faces, tables, progress);
    } else {
        BuildSampleTable<1>(output, settings, faces, tables, progress);
    }
}

void RenderDeepTable(DeepPicture& output, const FiveViewSettings& settings,
                     const DeepFaces& faces, const FiveViewTables& tables, Progress& progress) {
    if (settings.samplingMode == kSubsample5) {
        RenderThroughTable<DeepPath, 5>(output, faces, tables, progress);
    } else {
        RenderThroughTable<DeepPath, 1>(output, faces, tables, progress);
    }
}
