#include "mapdoc/PanSettings.h"

PanSettings NewDocumentPanSettings() {
    PanSettings settings;
    settings.width = 1800;
    settings.height = 486;
    settings.azimuthLeft = -100;
    settings.azimuthRight = 100;
    settings.altitudeBottom = 0;
    settings.altitudeTop = 60;
    settings.antiAliasing = kMapNoAA;
    return settings;
}
