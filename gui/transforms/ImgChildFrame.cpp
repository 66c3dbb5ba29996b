#include "gui/transforms/ImgChildFrame.h"

#include <QMouseEvent>
#include <QResizeEvent>

#include "gui/transforms/ImageView.h"

CImgChildFrame::CImgChildFrame(QWidget* parent) : QMdiSubWindow(parent) {}

double CImgChildFrame::Aspect() const {
    const auto* view = qobject_cast<const CImageView*>(widget());
    if (!view || !view->Picture().HasImage() || view->Picture().Height() <= 0) return 0;
    return static_cast<double>(view->Picture().Width()) / view->Picture().Height();
}

QSize CImgChildFrame::Borders() const {
    return widget() ? size() - widget()->size() : QSize(0, 0);
}

void CImgChildFrame::FitToPicture() {
    if (!widget()) return;
    const QSize client = AspectFittedClient(widget()->size(), Aspect());
    correcting = true;
    resize(client + Borders());
    correcting = false;
}

void CImgChildFrame::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    if (!dragging || correcting) return;
    FitToPicture();
}

void CImgChildFrame::mousePressEvent(QMouseEvent* event) {
    dragging = event->button() == Qt::LeftButton;
    QMdiSubWindow::mousePressEvent(event);
}

void CImgChildFrame::mouseReleaseEvent(QMouseEvent* event) {
    QMdiSubWindow::mouseReleaseEvent(event);
    dragging = false;
}
