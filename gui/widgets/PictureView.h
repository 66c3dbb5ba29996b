#pragma once

#include <QImage>
#include <QWidget>

#include "document/Document.h"
#include "gui/widgets/DocumentView.h"

class CImage;

// A view that paints its document's picture stretched over the whole window and follows the
// document's title and content.
class PictureView : public QWidget, public DocumentView, public DocumentObserver {
    Q_OBJECT
  public:
    PictureView(CDocument& document, QWidget* parent);
    ~PictureView() override;

    CDocument& Document() const override { return document; }
    virtual const CImage& Picture() const = 0;
    const QImage& Shown() const { return shown; }

    void TitleChanged() override;
    void ContentChanged() override;
    QSize sizeHint() const override;

  signals:
    void titleChanged(const QString& title);
    // The document's picture is there for the first time: a window opened before a job
    // filled its document takes the picture's shape now.
    void firstPicture();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CDocument& document;
    QImage shown;
};

// The window title of a document: its title, else the name of its path.
QString DocumentTitle(const CDocument& document);
