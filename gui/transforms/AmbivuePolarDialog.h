#pragma once

#include "gui/dialogs/RecordDialog.h"
#include "transforms/XformSettings.h"

class QAbstractButton;
class QLineEdit;

// "Ambivue/Polar" of "&Ambivue to polar" and "Polar to A&mbivue": the band's limits, the
// output size and the polar circle. outputIsPolar, set by the command, decides the shape the
// aspect lock keeps: square for a polar output, 10:3 for an Ambivue one.
class AmbivuePolarDialog : public RecordDialog<XformSettings> {
  public:
    explicit AmbivuePolarDialog(XformSettings& settings, QWidget* parent = nullptr);

  private:
    void BuildForm();
    void Bind();
    void LockClicked();
    void ApplyLock();

    QLineEdit* azimuthFrom;
    QLineEdit* azimuthTo;
    QLineEdit* elevationFrom;
    QLineEdit* elevationTo;
    QLineEdit* width;
    QAbstractButton* lockAspect;
    QLineEdit* height;
    QLineEdit* polarSpan;
    QLineEdit* clockwiseRotation;
};
