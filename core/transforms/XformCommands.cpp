#include "transforms/XformCommands.h"

#include <algorithm>

#include "transforms/AmbivuePolar.h"
#include "transforms/RectPolar.h"

namespace {

constexpr XformCommand kCommands[] = {
    {RectToPolar, 1, 1, "rp.bmp"},
    {PolarToRect, 1, 1, "pr.bmp"},
    {AmbivueToPolar, 0, 1, "ip.bmp"},
    {PolarToAmbivue, 0, 0, "pi.bmp"},
};

int ColourValue(int value) {
    return std::clamp(value, 0, 255);
}

}  // namespace

const XformCommand& XformCommandOf(XformKind kind) {
    return kCommands[static_cast<int>(kind)];
}

XformSettings NewXformSettings(XformKind kind, const AppSettings& appSettings) {
    const XformCommand& command = XformCommandOf(kind);
    XformSettings settings;
    settings.useSourceSize = command.useSourceSize;
    settings.outputIsPolar = command.outputIsPolar;
    settings.offMap = {ColourValue(appSettings.offMapRed), ColourValue(appSettings.offMapGreen),
                       ColourValue(appSettings.offMapBlue)};
    return settings;
}
