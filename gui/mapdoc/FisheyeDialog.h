#pragma once

#include "gui/dialogs/RecordDialog.h"
#include "mapdoc/FisheyeParams.h"

// "Fisheye parameters": the fisheye's fields of view and the tilt of its axis, any numbers.
class FisheyeDialog : public RecordDialog<FisheyeParams> {
  public:
    explicit FisheyeDialog(FisheyeParams& params, QWidget* parent = nullptr);
};
