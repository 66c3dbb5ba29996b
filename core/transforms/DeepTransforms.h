#pragma once

#include "deep/DeepPicture.h"
#include "transforms/XformCommands.h"
#include "transforms/XformSettings.h"

// The projection transforms on float samples with alpha: the same positions and sampling as
// on 8 bits, means kept unrounded, alpha carried like the colours (an off-map sample is
// opaque, a pixel without samples clear).
void RectToPolarDeep(const DeepPicture& source, DeepPicture& destination,
                     const XformSettings& settings);
void PolarToRectDeep(const DeepPicture& source, DeepPicture& destination,
                     const XformSettings& settings);
void AmbivueToPolarDeep(const DeepPicture& source, DeepPicture& destination,
                        const XformSettings& settings);
void PolarToAmbivueDeep(const DeepPicture& source, DeepPicture& destination,
                        const XformSettings& settings);
void HammerAitoffToPolarDeep(const DeepPicture& source, DeepPicture& destination,
                             const XformSettings& settings);

using DeepXformRoutine = void (*)(const DeepPicture&, DeepPicture&, const XformSettings&);

// The deep routine of a transform command.
DeepXformRoutine DeepRoutineOf(XformKind kind);
