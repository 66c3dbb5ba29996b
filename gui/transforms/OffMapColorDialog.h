#pragma once

#include "gui/dialogs/RecordDialog.h"
#include "transforms/XformSettings.h"

// "Off Map color . . .": the colour Ambivue-to-polar gives the disc outside the band.
class OffMapColorDialog : public RecordDialog<OffMapColour> {
  public:
    explicit OffMapColorDialog(OffMapColour& colour, QWidget* parent = nullptr);
};
