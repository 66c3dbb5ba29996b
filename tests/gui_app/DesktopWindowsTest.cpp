// The desktop's windows as a producer meets them: shaped like their pictures, inside the
// workspace, listed, titled apart, and closed with their document.
#include <gtest/gtest.h>

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QMdiSubWindow>
#include <QTest>

#include "app/CommandLine.h"
#include "document/ImageDoc.h"
#include "gui/app/DocumentWindows.h"
#include "gui/app/MainFrame.h"
#include "gui/app/MosaApp.h"
#include "support/gui/RunningDesktop.h"
#include "support/gui/ModalAnswers.h"

namespace {

class DesktopWindows : public RunningDesktop {
  protected:
    static double ClientAspect(const QMdiSubWindow* window) {
        const QSize client = window->widget()->size();
        return static_cast<double>(client.width()) / client.height();
    }
};

// A window a job opens before its picture exists takes the picture's shape when the picture
// arrives (a square dome, a wide band), once: the user's own size stays after that.
TEST_F(DesktopWindows, JobWindowsTakeTheirPicturesShapeWhenItArrives) {
    // A window already open puts the new ones beside it, towards the workspace's edge.
    CImage first;
    ASSERT_TRUE(first.Create(640, 480, 24, -1));
    ASSERT_EQ(first.SaveAs(dir.File("first.bmp")), 1);
    ASSERT_NE(app->Windows().OpenImage(dir.File("first.bmp"), kTypeFromExtension), nullptr);
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
        const QRect space(QPoint(0, 0), Area().viewport()->size());
        EXPECT_TRUE(space.contains(window->geometry())) << "the fitted window stays inside";
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

// The idle message comes back after a menu item's prompt was shown.
TEST_F(DesktopWindows, StatusBarSaysReadyAfterAMenuIsBrowsed) {
    QStatusBar* status = app->MainFrame().statusBar();
    status->showMessage("Open an existing document");
    status->clearMessage();
    EXPECT_EQ(status->currentMessage(), "Ready");
}

}  // namespace

namespace {

// "mosa --open FILE..." (the desktop entry's command) and files dropped on the main window
// open the pictures in windows and list them as recent files; a file that does not load
// says so and opens nothing.
TEST_F(DesktopWindows, OpenOptionAndDroppedFilesOpenThePictures) {
    EXPECT_EQ(FilesToOpen({"mosa", "--open", "a.bmp", "-b.png"}),
              (std::vector<std::string>{"a.bmp", "-b.png"}));
    EXPECT_FALSE(FilesToOpen({"mosa", "a.bmp", "--open"}).has_value()) << "the job grammar's";
    EXPECT_FALSE(FilesToOpen({"mosa"}).has_value());

    for (const char* name : {"one.bmp", "two.bmp"}) {
        CImage picture;
        ASSERT_TRUE(picture.Create(64, 32, 24, -1));
        ASSERT_EQ(picture.SaveAs(dir.File(name)), 1);
    }
    app->OpenPictures({dir.File("one.bmp")});
    ASSERT_EQ(Area().subWindowList().size(), 1);
    EXPECT_EQ(recentStore.values["File1"], dir.File("one.bmp"));

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.File("two.bmp"))),
                   QUrl::fromLocalFile(QString::fromStdString(dir.File("missing.bmp")))});
    CMainFrame& frame = app->MainFrame();
    const QPoint centre = frame.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(centre, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    {
        ModalAnswers answers;
        QCoreApplication::sendEvent(&frame, &drop);
        ASSERT_EQ(answers.texts.size(), 1u);
        EXPECT_NE(answers.texts[0].find("missing.bmp"), std::string::npos) << answers.texts[0];
    }
    EXPECT_EQ(Area().subWindowList().size(), 2);
    EXPECT_EQ(Area().activeSubWindow()->windowTitle(), "two.bmp");
    EXPECT_EQ(recentStore.values["File1"], dir.File("two.bmp"));

    QMimeData text;
    text.setText("not a file");
    QDragEnterEvent refused(centre, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QCoreApplication::sendEvent(&frame, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

}  // namespace
