#pragma once

#include "gui/dialogs/RecordDialog.h"
#include "mapdoc/PanSettings.h"

// "New mosa parameters": the size, limits, eyepoint and anti-aliasing of a new map
// document.
class NewMosaDialog : public RecordDialog<PanSettings> {
  public:
    explicit NewMosaDialog(PanSettings& settings, QWidget* parent = nullptr);
};
