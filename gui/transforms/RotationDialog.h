#pragma once

#include "gui/dialogs/RecordDialog.h"
#include "transforms/XformSettings.h"

// "Additional rotation" of "&Rect to polar" and "&Polar to rect": a clockwise turn of the disc
// in whole degrees. It asks for no size: those commands take the source's size.
class RotationDialog : public RecordDialog<XformSettings> {
  public:
    explicit RotationDialog(XformSettings& settings, QWidget* parent = nullptr);
};
