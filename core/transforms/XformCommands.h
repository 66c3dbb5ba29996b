#pragma once

#include "settings/AppSettings.h"
#include "transforms/XformSettings.h"

// The four transforms of the "&Xform" and "&Batch Xform" menus that share one road: each
// plugs a routine, its dialog's starting values and a default output name into the drivers.
enum class XformKind { kRectToPolar, kPolarToRect, kAmbivueToPolar, kPolarToAmbivue };

struct XformCommand {
    XformRoutine routine;
    int useSourceSize;
    int outputIsPolar;
    const char* defaultOutputName;
};

const XformCommand& XformCommandOf(XformKind kind);

// A fresh record for one run of the command: the dialog's defaults, the command's settings
// and the program's off-map colour (each value kept within 0-255).
XformSettings NewXformSettings(XformKind kind, const AppSettings& appSettings);
