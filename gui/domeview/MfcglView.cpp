#include "gui/domeview/MfcglView.h"

#include <QMouseEvent>
#include <QSurfaceFormat>
#include <cmath>

#include "gui/widgets/PictureView.h"
#include "mapdoc/DomeTexture.h"
#include "util/Angles.h"

namespace {

constexpr double kAzimuthFrom = -100, kAzimuthTo = 100;
constexpr int kAzimuthSteps = 20;
constexpr double kElevationFrom = 0, kElevationTo = 60;
constexpr int kElevationSteps = 6;
constexpr int kBands = kElevationSteps + 1;  // drawn up to 70 degrees
constexpr double kDegreesPerPixel = 0.5;

// The texture a new window shows until the document's arrives.
constexpr uint8_t kInitialTexture[4 * 4 * 3] = {
    0,   0,   0,   255, 0,   0,   0,   255, 0,   0,   0,   255,  // black red green blue
    255, 0,   0,   255, 0,   0,   255, 255, 0,   255, 0,   255,  // red red yellow magenta
    0,   255, 0,   255, 255, 0,   0,   255, 0,   0,   255, 255,  // green yellow green cyan
    0,   0,   255, 255, 0,   255, 0,   255, 255, 255, 255, 255,  // blue magenta cyan white
};

QSurfaceFormat DomeFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setAlphaBufferSize(0);
    return format;
}

}  // namespace

CMfcglView::CMfcglView(CMosaDoc& doc, QWidget* parent)
    : QOpenGLWidget(parent), document(doc), textureBuffer(kDomeTextureSize * kDomeTextureSize * 3) {
    setFormat(DomeFormat());
    document.AddObserver(this);
    MakeDomeTexture(document.Image(), textureBuffer.data());
    textureDue = true;
}

CMfcglView::~CMfcglView() {
    document.RemoveObserver(this);
    if (domeList && context()) {
        makeCurrent();
        glDeleteLists(domeList, 1);
        glDeleteLists(textureList, 1);
        doneCurrent();
    }
}

void CMfcglView::TitleChanged() {
    emit titleChanged(DocumentTitle(document));
}

void CMfcglView::ContentChanged() {
    MakeDomeTexture(document.Image(), textureBuffer.data());
    textureDue = true;
    update();
}

void CMfcglView::initializeGL() {
    // Without OpenGL 1.1 the view stays blank: no list is made, so nothing is drawn.
    if (!initializeOpenGLFunctions()) return;
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1}, diffuse[] = {0.6f, 0.6f, 0.6f, 1},
                  specular[] = {1, 1, 1, 1}, position[] = {-60, 25, 50, 1};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 100);
    glEnable(GL_LIGHT0);
    glColor3ub(0, 0, 255);
    domeList = glGenLists(1);
    CompileDome();
    textureList = glGenLists(1);
    LoadTexture(kInitialTexture, 4, 4);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void CMfcglView::CompileDome() {
    glNewList(domeList, GL_COMPILE);
    glPushMatrix();
    const double dAz = (kAzimuthTo - kAzimuthFrom) / kAzimuthSteps;
    const double dEl = (kElevationTo - kElevationFrom) / kElevationSteps;
    const auto vertex = [this](double az, double el, double s, double t) {
        const double a = az * kDegToRad, e = el * kDegToRad;
        const double x = std::sin(a) * std::cos(e), y = std::sin(e), z = std::cos(a) * std::cos(e);
        glTexCoord2d(s, t);
        glNormal3d(x, y, z);
        glVertex3d(x, y, z);
    };
    for (int k = 0; k < kBands; ++k) {
        const double e = kElevationFrom + k * dEl;
        glBegin(GL_QUAD_STRIP);
        for (int j = 0; j <= kAzimuthSteps; ++j) {
            const double az = kAzimuthFrom + j * dAz;
            const double s = static_cast<double>(j) / kAzimuthSteps;
            vertex(az, e + dEl, s, static_cast<double>(k + 1) / kBands);
            vertex(az, e, s, static_cast<double>(k) / kBands);
        }
        glEnd();
    }
    glColor3ub(255, 255, 255);
    glBegin(GL_LINE_STRIP);
    const GLdouble axes[6][3] = {{0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 1}};
    for (const auto& point : axes) glVertex3dv(point);
    glEnd();
    glPopMatrix();
    glEndList();
}

void CMfcglView::LoadTexture(const uint8_t* rgb, int width, int height) {
    // Executing the list while compiling it makes the texture current for the dome.
    glNewList(textureList, GL_COMPILE_AND_EXECUTE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glEndList();
}

void CMfcglView::resizeGL(int width, int height) {
    if (!domeList) return;
    const double w = width, h = height > 0 ? height : 1;
    glViewport(0, 0, width, height > 0 ? height : 1);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (h < w) {
        glOrtho(-120 * w / h, 120 * w / h, -120, 120, -120, 120);
    } else {
        glOrtho(-120, 120, -120 * h / w, 120 * h / w, -120, 120);
    }
    glScaled(60, 60, 60);
    glMatrixMode(GL_MODELVIEW);
}

void CMfcglView::paintGL() {
    if (!domeList) return;
    if (textureDue) {
        LoadTexture(textureBuffer.data(), kDomeTextureSize, kDomeTextureSize);
        textureDue = false;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glRotated(tiltAngle, 1, 0, 0);
    glRotated(spinAngle, 0, 1, 0);
    glColor3ub(255, 255, 255);
    glCallList(domeList);
    glPopMatrix();
    glFlush();
}

void CMfcglView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QOpenGLWidget::mousePressEvent(event);
    dragging = true;
    dragOrigin = event->position().toPoint();
    dragTilt = tiltAngle;
    dragSpin = spinAngle;
}

void CMfcglView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging) return QOpenGLWidget::mouseMoveEvent(event);
    const QPoint moved = event->position().toPoint() - dragOrigin;
    spinAngle = moved.x() * kDegreesPerPixel + dragSpin;
    tiltAngle = moved.y() * kDegreesPerPixel + dragTilt;
    update();
}

void CMfcglView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging = false;
    QOpenGLWidget::mouseReleaseEvent(event);
}
