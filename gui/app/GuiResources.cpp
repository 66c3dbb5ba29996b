#include "gui/app/GuiResources.h"

#include <QtCore/QDir>

void LoadGuiResources() {
    Q_INIT_RESOURCE(mosa);
}
