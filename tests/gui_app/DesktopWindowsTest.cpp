// The desktop's windows as a producer meets them: shaped like their pictures, inside the
// workspace, listed, titled apart, and closed with their document.
#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QMdiSubWindow>
#include <QTest>

#include "document/ImageDoc.h"
#include "gui/app/DocumentWindows.h"
#include "gui/app/MainFrame.h"
#include "gui/app/MosaApp.h"
#include "mapdoc/MosaDoc.h"
#include "support/gui/DesktopTest.h"
#include "support/gui/ModalAnswers.h"

namespace {

class DesktopWindows : public DesktopTest {
  protected:
    void SetUp() override {
        app = std::make_unique<CMosaApp>(std::vector<std::string>{"mosa"}, store, recentStore,
                                         dialogs);
        app->MainFrame().resize(1200, 900);
        app->MainFrame().show();
    }
    QMdiArea& Area() const { return app->MainFrame().Area(); }
    static double ClientAspect(const QMdiSubWindow* window) {
        const QSize client = window->widget()->size();
        return static_cast<double>(client.width()) / client.height();
    }

    std::unique_ptr<CMosaApp> app;
};

// A window a job opens before its picture exists takes the picture's shape when the picture
// arrives (a square dome, a wide band), once: the user's own size stays after that.
TEST_F(DesktopWindows, JobWindowsTakeTheirPicturesShapeWhenItArrives) {
    for (const QSize picture : {QSize(1024, 1024), QSize(1000, 300), QSize(300, 900)}) {
        SCOPED_TRACE(picture.width() * 10000 + picture.height());
        CImageDoc* document = app->Windows().NewImageDocument();
        ASSERT_NE(document, nullptr);
        QMdiSubWindow* window = Area().activeSubWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(document->Image().Create(picture.width(), picture.height(), 24, -1));
        document->UpdateAllViews();
        const double aspect = static_cast<double>(picture.width()) / picture.height();
        EXPECT_NEAR(ClientAspect(window), aspect, 0.02 * aspect);
        window->resize(500, 500);
        document->UpdateAllViews();
        EXPECT_EQ(window->size(), QSize(500, 500)) << "later updates keep the user's size";
    }
}

// A second window of a big picture stays inside the workspace; the Window menu lists the
// windows after its commands; untitled documents and second windows have titles of their own.
TEST_F(DesktopWindows, WindowsStayInsideTheWorkspaceAndAreListedByTitle) {
    CImage big;
    ASSERT_TRUE(big.Create(1800, 486, 24, -1));
    ASSERT_EQ(big.SaveAs(dir.File("band.bmp")), 1);
    ASSERT_NE(app->Windows().OpenImage(dir.File("band.bmp"), kTypeFromExtension), nullptr);
    for (int i = 0; i < 6; ++i) app->Windows().NewWindow();
    const QRect space(QPoint(0, 0), Area().viewport()->size());
    for (QMdiSubWindow* window : Area().subWindowList()) {
        EXPECT_TRUE(space.contains(window->geometry())) << window->windowTitle().toStdString();
    }
    EXPECT_EQ(Area().subWindowList().first()->windowTitle(), "band.bmp:1");
    EXPECT_EQ(Area().subWindowList().last()->windowTitle(), "band.bmp:7");
    for (int i = 0; i < 6; ++i) Area().subWindowList().last()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Area().subWindowList().first()->windowTitle(), "band.bmp") << "one window left";

    app->Windows().NewImageDocument();
    app->Windows().NewImageDocument();
    QMenu* window = nullptr;
    for (QAction* top : app->MainFrame().menuBar()->actions()) {
        if (top->text() == "&Window") window = top->menu();
    }
    ASSERT_NE(window, nullptr);
    emit window->aboutToShow();
    QStringList items;
    for (const QAction* item : window->actions()) {
        if (!item->isSeparator()) items << item->text() + (item->isChecked() ? " (on)" : "");
    }
    EXPECT_EQ(items.mid(items.size() - 3),
              (QStringList{"&1 band.bmp", "&2 Mosa1", "&3 Mosa2 (on)"}))
        << items.join(", ").toStdString();
    window->actions().at(window->actions().size() - 3)->trigger();
    EXPECT_EQ(Area().activeSubWindow()->windowTitle(), "band.bmp");
}

// File > Close closes the document with every window it has, its dome view included, and
// asks once about a changed map document.
TEST_F(DesktopWindows, FileCloseClosesTheDocumentWithAllItsWindows) {
    PanSettings settings = NewDocumentPanSettings();
    CMosaDoc* map = app->Windows().NewMapDocument(&settings);
    ASSERT_NE(map, nullptr);
    app->OnDomeView();
    Area().setActiveSubWindow(Area().subWindowList().first());
    app->Windows().NewWindow();
    app->Windows().OpenImage(dir.File("missing.bmp"), kTypeFromExtension);
    ASSERT_EQ(Area().subWindowList().size(), 4);
    map->SetModified(true);
    Area().setActiveSubWindow(Area().subWindowList().first());
    {
        ModalAnswers answers(QMessageBox::Cancel);
        app->OnClose();
        EXPECT_EQ(answers.texts, std::vector<std::string>{"Save changes to Mosa1?"});
    }
    EXPECT_EQ(Area().subWindowList().size(), 4) << "Cancel keeps every window";
    ModalAnswers answers(QMessageBox::Discard);
    app->OnClose();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(answers.texts, std::vector<std::string>{"Save changes to Mosa1?"}) << "asked once";
    ASSERT_EQ(Area().subWindowList().size(), 1) << "the other document stays";
    EXPECT_EQ(app->Windows().Count(), 1u);
}

// The idle message comes back after a menu item's prompt was shown.
TEST_F(DesktopWindows, StatusBarSaysReadyAfterAMenuIsBrowsed) {
    QStatusBar* status = app->MainFrame().statusBar();
    status->showMessage("Open an existing document");
    status->clearMessage();
    EXPECT_EQ(status->currentMessage(), "Ready");
}

}  // namespace
