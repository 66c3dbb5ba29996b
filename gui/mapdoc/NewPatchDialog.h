#pragma once

#include "gui/dialogs/RecordDialog.h"
#include "mapdoc/PatchParameters.h"

// "New Patch parameters": where the camera looked and how wide its view is.
class NewPatchDialog : public RecordDialog<PatchParameters> {
  public:
    explicit NewPatchDialog(PatchParameters& parameters, QWidget* parent = nullptr);
};
