#pragma once

#include <QMdiSubWindow>

// The window of an image document: on its first showing, and while the user drags one of its
// edges or corners, its client area keeps the picture's aspect ratio.
class CImgChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    explicit CImgChildFrame(QWidget* parent = nullptr);
    // Resizes the frame so that its client area fits the picture's aspect ratio.
    void FitToPicture();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    double Aspect() const;
    QSize Borders() const;

    bool dragging = false;
    bool correcting = false;
};
