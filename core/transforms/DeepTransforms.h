#pragma once

#include <string>

#include "deep/DeepFiles.h"
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

// Makes the output picture of the settings' size (the source's, with useSourceSize) with the
// source's alpha and fills it with the routine; false with the problem's text when the picture
// cannot be made.
bool TransformDeep(DeepXformRoutine routine, XformSettings settings, const DeepPicture& source,
                   DeepPicture& output, std::string& problem);

// One deep output: a picture of the settings' output size (the source's, with
// useSourceSize) with the source's alpha, filled by the routine and written to the name with
// the options. False with the problem's text when the picture cannot be made or written.
bool TransformDeepInto(DeepXformRoutine routine, XformSettings settings, const DeepPicture& source,
                       const std::string& name, const DeepWriteOptions& options,
                       std::string& problem);
