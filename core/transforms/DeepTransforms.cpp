#include "transforms/DeepTransforms.h"

DeepXformRoutine DeepRoutineOf(XformKind kind) {
    // In the order of XformKind, as the commands' own table.
    static constexpr DeepXformRoutine kRoutines[] = {RectToPolarDeep, PolarToRectDeep,
                                                     AmbivueToPolarDeep, PolarToAmbivueDeep};
    return kRoutines[static_cast<int>(kind)];
}

bool TransformDeep(DeepXformRoutine routine, XformSettings settings, const DeepPicture& source,
                   DeepPicture& output, std::string& problem) {
    if (settings.useSourceSize) {
        settings.outputWidth = static_cast<unsigned>(source.Width());
        settings.outputHeight = static_cast<unsigned>(source.Height());
    }
    if (settings.outputWidth > 65535 || settings.outputHeight > 65535 ||
        !output.Create(static_cast<int>(settings.outputWidth),
                       static_cast<int>(settings.outputHeight), source.HasAlpha())) {
        problem = "cannot make an output picture of " + std::to_string(settings.outputWidth) +
                  " x " + std::to_string(settings.outputHeight) + " pixels";
        return false;
    }
    routine(source, output, settings);
    return true;
}

bool TransformDeepInto(DeepXformRoutine routine, XformSettings settings, const DeepPicture& source,
                       const std::string& name, const DeepWriteOptions& options,
                       std::string& problem) {
    DeepPicture output;
    return TransformDeep(routine, settings, source, output, problem) &&
           WriteDeepPicture(name, output, options, problem);
}
