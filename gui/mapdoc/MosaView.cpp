#include "gui/mapdoc/MosaView.h"

CMosaView::CMosaView(CMosaDoc& doc, QWidget* parent) : PictureView(doc, parent), document(doc) {}

QSize MapViewClient(QSize current, double aspect) {
    if (aspect <= 0) return current;
    if (aspect > 1) return {current.width(), static_cast<int>(current.width() / aspect)};
    return {static_cast<int>(aspect * current.height()), current.height()};
}
