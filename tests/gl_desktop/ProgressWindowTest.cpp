// The progress window against a real X server, where windows are activated and keys pass
// through the window system as a user's do.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "gui/app/CommandIds.h"
#include "gui/app/MainFrame.h"
#include "gui/progress/ProgressWnd.h"

namespace {

// While a job pumps events, the user must not close its documents or start another job: the
// progress window keeps clicks, keys and accelerators from the main window until it goes, and
// takes them itself.
TEST(ProgressWindow, BlocksTheOtherWindowsWhileOpen) {
    CMainFrame main;
    int opened = 0, clicks = 0;
    main.SetHandler(kCmdOpen, [&opened] { ++opened; });
    main.UpdateMenus(ActiveDocument::kNone);
    auto* button = new QPushButton(QStringLiteral("Press"), &main);
    main.statusBar()->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    {
        CProgressWnd progress(&main);
        progress.Open("Mapping . . .", 0);
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(main.windowHandle(), Qt::Key_O, Qt::ControlModifier);
        progress.PumpMessages(1);
        EXPECT_EQ(clicks, 0);
        EXPECT_EQ(opened, 0);
        auto* cancel = progress.Window()->findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        QTest::mouseClick(cancel, Qt::LeftButton);
        EXPECT_EQ(progress.cancelled, 1) << "the progress window takes clicks";
    }
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(main.windowHandle(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(opened, 1);
}

// The progress window opens without taking the keyboard from the window the user is in, and
// Esc typed there (through the window system, where a modal window blocks other windows'
// keys) cancels the job.
TEST(ProgressWindow, LeavesTheFocusWhereItWasAndEscapeThereStillCancels) {
    CMainFrame main;
    main.show();
    auto* edit = new QLineEdit(&main);
    main.setCentralWidget(edit);
    main.activateWindow();
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    CProgressWnd progress(&main);
    progress.Open("Mapping . . .", 0);
    progress.PumpMessages(1);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(progress.cancelled, 0);
    // Typed while the job pumps, as a user would.
    QTimer::singleShot(0, &main, [&main] { QTest::keyClick(main.windowHandle(), Qt::Key_Escape); });
    progress.PumpMessages(1);
    EXPECT_EQ(progress.cancelled, 1);
}

}  // namespace
