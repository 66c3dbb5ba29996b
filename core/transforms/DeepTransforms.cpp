#include "transforms/DeepTransforms.h"

DeepXformRoutine DeepRoutineOf(XformKind kind) {
    // In the order of XformKind, as the commands' own table.
    static constexpr DeepXformRoutine kRoutines[] = {RectToPolarDeep, PolarToRectDeep,
                                                     AmbivueToPolarDeep, PolarToAmbivueDeep};
    return kRoutines[static_cast<int>(kind)];
}
