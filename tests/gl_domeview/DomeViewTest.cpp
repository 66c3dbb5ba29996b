#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "gui/domeview/MfcglView.h"
#include "headless/HeadlessDocuments.h"
#include "support/RecordingMessages.h"

namespace {

constexpr QRgb kBackground = qRgb(51, 51, 51);  // the clear colour, 0.2 in each channel

// A dome window on a map document whose rectangle is one bright colour.
class DomeView : public testing::Test {
  protected:
    void SetUp() override {
        PanSettings settings = NewDocumentPanSettings();
        document.OnNewDocument(settings, messages);
        document.Image().Fill(250, 40, 40, 0);
    }
    std::unique_ptr<CMfcglView> Show(int width, int height) {
        auto view = std::make_unique<CMfcglView>(document);
        view->resize(width, height);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        return view;
    }
    RecordingMessages messages;
    CMosaDoc document;
};

bool IsBackground(QRgb pixel) {
    return std::abs(qRed(pixel) - 51) <= 2 && std::abs(qGreen(pixel) - 51) <= 2 &&
           std::abs(qBlue(pixel) - 51) <= 2;
}

// Where the picture shows the dome: not the background, and reddish like the rectangle.
bool IsDome(QRgb pixel) {
    return !IsBackground(pixel) && qRed(pixel) > qGreen(pixel) + 20;
}

TEST_F(DomeView, TexturedSphereCoversTheCentreOfAWideWindow) {
    const auto view = Show(400, 300);
    const QImage frame = view->grabFramebuffer();
    ASSERT_FALSE(frame.isNull());
    // The sphere's diameter is half the shorter side: 150 pixels about the centre. Looking
    // from the front at the lower half of a section from -100 to 100 degrees, the centre
    // shows the horizon band.
    EXPECT_TRUE(IsDome(frame.pixel(200, 140))) << std::hex << frame.pixel(200, 140);
    for (int y : {20, 150, 280}) {
        EXPECT_TRUE(IsBackground(frame.pixel(10, y))) << "left margin, y " << y;
        EXPECT_TRUE(IsBackground(frame.pixel(389, y))) << "right margin, y " << y;
    }
    EXPECT_EQ(frame.pixel(0, 0), kBackground);
}

TEST_F(DomeView, TallWindowLeavesSpaceAboveAndBelow) {
    const auto view = Show(300, 400);
    const QImage frame = view->grabFramebuffer();
    for (int x : {20, 150, 280}) {
        EXPECT_TRUE(IsBackground(frame.pixel(x, 10))) << "top margin, x " << x;
        EXPECT_TRUE(IsBackground(frame.pixel(x, 389))) << "bottom margin, x " << x;
    }
    EXPECT_TRUE(IsDome(frame.pixel(150, 190)));
}

TEST_F(DomeView, DraggingTurnsHalfADegreePerPixel) {
    const auto view = Show(400, 300);
    const QImage before = view->grabFramebuffer();
    QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mouseMove(view.get(), QPoint(300, 150));
    QTest::mouseMove(view.get(), QPoint(300, 170));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(300, 170));
    EXPECT_DOUBLE_EQ(view->SpinAngle(), 50);
    EXPECT_DOUBLE_EQ(view->TiltAngle(), 10);
    EXPECT_NE(view->grabFramebuffer(), before) << "the turned dome looks different";
    QTest::mouseMove(view.get(), QPoint(10, 10));
    EXPECT_DOUBLE_EQ(view->SpinAngle(), 50) << "moving without the button held turns nothing";
}

TEST_F(DomeView, NewRectangleContentReachesTheTexture) {
    const auto view = Show(400, 300);
    document.Image().Fill(40, 40, 250, 0);
    document.UpdateAllViews();
    const QImage frame = view->grabFramebuffer();
    const QRgb centre = frame.pixel(200, 140);
    EXPECT_GT(qBlue(centre), qRed(centre) + 20) << std::hex << centre;
}

}  // namespace
