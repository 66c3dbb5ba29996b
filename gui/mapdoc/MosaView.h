#pragma once

#include "gui/widgets/PictureView.h"
#include "mapdoc/MosaDoc.h"

// Shows a map document's rectangle stretched over the window.
class CMosaView : public PictureView {
    Q_OBJECT
  public:
    CMosaView(CMosaDoc& document, QWidget* parent);
    const CImage& Picture() const override { return document.Image(); }
    CMosaDoc& MapDocument() const { return document; }
    // Whether this view may still open its dome view (only once).
    bool DomeViewAvailable() const { return domeViewAvailable; }
    void SetDomeViewOpened() { domeViewAvailable = false; }

  private:
    CMosaDoc& document;
    bool domeViewAvailable = true;
};

// The client size a map view takes on first showing: a wide picture keeps the width and
// gets height width / aspect, otherwise the height is kept and the width is aspect x height.
QSize MapViewClient(QSize current, double aspect);
