#pragma once

#include <QOpenGLFunctions_1_1>
#include <QOpenGLWidget>
#include <QPoint>
#include <vector>

#include "gui/widgets/DocumentView.h"
#include "mapdoc/MosaDoc.h"

// The dome preview: the map document's rectangle as a texture on a lit section of a sphere
// (azimuth -100 to 100 degrees, elevation 0 to 70), seen from outside and turned with the
// mouse, half a degree per pixel dragged. It never changes the document.
class CMfcglView : public QOpenGLWidget,
                   protected QOpenGLFunctions_1_1,
                   public DocumentView,
                   public DocumentObserver {
    Q_OBJECT
  public:
    CMfcglView(CMosaDoc& document, QWidget* parent = nullptr);
    ~CMfcglView() override;

    CDocument& Document() const override { return document; }
    double TiltAngle() const { return tiltAngle; }
    double SpinAngle() const { return spinAngle; }

    void TitleChanged() override;
    void ContentChanged() override;

  signals:
    void titleChanged(const QString& title);

  protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void CompileDome();
    void LoadTexture(const uint8_t* rgb, int width, int height);

    CMosaDoc& document;
    double tiltAngle = 0;
    double spinAngle = 0;
    bool dragging = false;
    QPoint dragOrigin;
    double dragTilt = 0;
    double dragSpin = 0;
    std::vector<uint8_t> textureBuffer;
    GLuint domeList = 0;
    GLuint textureList = 0;
    bool textureDue = false;
};
