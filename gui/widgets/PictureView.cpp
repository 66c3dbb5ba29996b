#include "gui/widgets/PictureView.h"

#include <QFileInfo>
#include <QPainter>

#include "gui/widgets/PictureImage.h"

PictureView::PictureView(CDocument& doc, QWidget* parent) : QWidget(parent), document(doc) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    document.AddObserver(this);
}

PictureView::~PictureView() {
    document.RemoveObserver(this);
}

void PictureView::TitleChanged() {
    emit titleChanged(DocumentTitle(document));
}

void PictureView::ContentChanged() {
    const bool first = shown.isNull();
    shown = PictureImage(Picture());
    update();
    if (first && !shown.isNull()) emit firstPicture();
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!shown.isNull()) painter.drawImage(rect(), shown);
}

QSize PictureView::sizeHint() const {
    if (shown.isNull()) return {400, 300};
    return shown.size().scaled(640, 480, Qt::KeepAspectRatio).expandedTo({64, 48});
}

QString DocumentTitle(const CDocument& document) {
    if (!document.Title().empty()) return QString::fromStdString(document.Title());
    if (!document.PathName().empty())
        return QFileInfo(QString::fromStdString(document.PathName())).fileName();
    return QStringLiteral("Mosa");
}
