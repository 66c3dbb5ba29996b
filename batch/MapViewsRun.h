#pragma once

#include <span>
#include <vector>

#include "batch/VerbRun.h"
#include "mapdoc/PanSettings.h"
#include "mapdoc/Patch.h"

// The flat mapping over frames, for the verbs that paint views into a panorama: one patch
// (where its camera looked) and one input per view, in painting order. A frame with a view
// that does not load keeps that view's part of the frame before, and counts as failed.
int RunMapViews(const RunOptions& options, const FramePlan& plan, const FramePattern& output,
                const PanSettings& pan, std::span<Patch> patches,
                const std::vector<NamedInput>& inputs);

// The same on deep pictures (16-bit PNG, TIFF, OpenEXR), written with these options. The
// panorama carries alpha when the first view that loads does; it starts transparent black
// then, else opaque black.
struct DeepWriteOptions;
int RunDeepMapViews(const RunOptions& options, const FramePlan& plan, const FramePattern& output,
                    const PanSettings& pan, std::span<const Patch> patches,
                    const std::vector<NamedInput>& inputs, const DeepWriteOptions& write);
