#include "gui/transforms/ImageView.h"

CImageView::CImageView(CImageDoc& doc, QWidget* parent) : PictureView(doc, parent), document(doc) {}

QSize AspectFittedClient(QSize available, double aspect) {
    if (aspect <= 0 || available.height() <= 0) return available;
    const double current = static_cast<double>(available.width()) / available.height();
    if (current > aspect)
        return {static_cast<int>(aspect * available.height()), available.height()};
    if (current < aspect) return {available.width(), static_cast<int>(available.width() / aspect)};
    return available;
}
