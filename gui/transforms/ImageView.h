#pragma once

#include "document/ImageDoc.h"
#include "gui/widgets/PictureView.h"

// Shows an image document's picture stretched over the window.
class CImageView : public PictureView {
    Q_OBJECT
  public:
    CImageView(CImageDoc& document, QWidget* parent);
    const CImage& Picture() const override { return document.Image(); }
    CImageDoc& ImageDocument() const { return document; }

  private:
    CImageDoc& document;
};

// The client size nearest the available one that has the picture's aspect ratio a: when w / h
// is above a, w becomes trunc(a h); when below, h becomes trunc(w / a).
QSize AspectFittedClient(QSize available, double aspect);
