#pragma once

#include "gui/dialogs/RecordDialog.h"

// The camera of a flat added to a map document, in degrees.
struct PatchParameters {
    double azimuth = 0, elevation = 0, horizontal = 90, vertical = 90, roll = 0;
};

// "New Patch parameters": where the camera looked and how wide its view is.
class NewPatchDialog : public RecordDialog<PatchParameters> {
  public:
    explicit NewPatchDialog(PatchParameters& parameters, QWidget* parent = nullptr);
};
