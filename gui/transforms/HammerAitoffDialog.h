#pragma once

#include "gui/dialogs/RecordDialog.h"
#include "transforms/XformSettings.h"

class QAbstractButton;
class QButtonGroup;
class QLineEdit;

// "Hammer-Aitoff to Polar": the size of the polar pictures and which hemispheres to make.
class HammerAitoffDialog : public RecordDialog<XformSettings> {
  public:
    explicit HammerAitoffDialog(XformSettings& settings, QWidget* parent = nullptr);

  private:
    void SquareClicked();
    void WidthEdited();

    QAbstractButton* square;
    QLineEdit* width;
    QLineEdit* height;
    QButtonGroup* hemisphere;
};
