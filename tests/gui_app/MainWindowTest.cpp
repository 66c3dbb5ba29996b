#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTest>

#include "document/ImageDoc.h"
#include "gui/app/AboutDialog.h"
#include "gui/app/CommandIds.h"
#include "gui/app/DocumentWindows.h"
#include "gui/app/MainFrame.h"
#include "gui/app/MosaApp.h"
#include "gui/mapdoc/MosaView.h"
#include "platform/QtSettingsStore.h"
#include "support/TempDir.h"
#include "support/gui/DesktopTest.h"

namespace {

// The menu bar as text: each menu's title and its items' texts ("-" for a separator, "(off)"
// after a disabled item).
QStringList MenuText(const QMenuBar* bar) {
    QStringList lines;
    for (const QAction* top : bar->actions()) {
        lines << top->text();
        for (const QAction* item : top->menu()->actions()) {
            if (item->isSeparator()) {
                lines << "  -";
            } else {
                lines << "  " + item->text() + (item->isEnabled() ? "" : " (off)");
            }
        }
    }
    return lines;
}

QAction* FindItem(const QMenuBar* bar, const QString& text) {
    for (const QAction* top : bar->actions()) {
        for (QAction* item : top->menu()->actions()) {
            if (item->text() == text) return item;
            if (item->menu()) {
                for (QAction* sub : item->menu()->actions()) {
                    if (sub->text() == text) return sub;
                }
            }
        }
    }
    return nullptr;
}

class MainWindow : public DesktopTest {
  protected:
    void SetUp() override {
        app = std::make_unique<CMosaApp>(std::vector<std::string>{"mosa"}, store, recentStore,
                                         dialogs);
        app->MainFrame().show();
    }
    const QMenuBar* Bar() const { return app->MainFrame().menuBar(); }

    std::unique_ptr<CMosaApp> app;
};

TEST_F(MainWindow, MenusWithoutADocument) {
    EXPECT_EQ(app->MainFrame().windowTitle(), "mosa");
    const QStringList menus = MenuText(Bar());
    EXPECT_EQ(menus.filter(QRegularExpression("^\\S")),
              QStringList({"&File", "&View", "&Xform", "&Help"}));
    EXPECT_EQ(FindItem(Bar(), "Add &Flat . . ."), nullptr) << "no map document: not in the menu";
    EXPECT_NE(FindItem(Bar(), "&Aitoff-Hammer to polar"), nullptr);
    const QStringList file = menus.mid(1, menus.indexOf("&View") - 1);
    EXPECT_EQ(file, QStringList({"  4 view &Pan", "  &5 view Polar", "  &Batch Xform",
                                 "  &New\tCtrl+N", "  &Open...\tCtrl+O", "  -", "  -", "  E&xit"}));
    EXPECT_EQ(FindItem(Bar(), "&New\tCtrl+N")->statusTip(), "New rectangular equidistant map");
    EXPECT_EQ(FindItem(Bar(), "&Open...\tCtrl+O")->statusTip(), "Open an existing document");
    EXPECT_EQ(FindItem(Bar(), "&5 view Polar")->statusTip(),
              "Render polar image from 5 orthogonal views");
}

TEST_F(MainWindow, MenusFollowTheActiveDocumentKind) {
    PanSettings small = NewDocumentPanSettings();
    small.width = 90;
    small.height = 30;
    ASSERT_NE(app->Windows().NewMapDocument(&small), nullptr);
    QAction* addFlat = FindItem(Bar(), "Add &Flat . . .");
    ASSERT_NE(addFlat, nullptr);
    EXPECT_TRUE(addFlat->isEnabled()) << "a map document handles it";
    EXPECT_EQ(FindItem(Bar(), "&Aitoff-Hammer to polar"), nullptr)
        << "only without a document window";
    EXPECT_EQ(MenuText(Bar()).filter(QRegularExpression("^\\S")),
              QStringList({"&File", "&Edit", "&View", "&Window", "&Xform", "&Help"}));
    for (const char* edit : {"&Undo\tCtrl+Z", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V"}) {
        EXPECT_FALSE(FindItem(Bar(), edit)->isEnabled()) << edit;
    }
    EXPECT_TRUE(FindItem(Bar(), "&Save\tCtrl+S")->isEnabled());

    app->Windows().NewImageDocument()->Image().Create(4, 4, 24, -1);
    addFlat = FindItem(Bar(), "Add &Flat . . .");
    ASSERT_NE(addFlat, nullptr) << "an image document window also shows it";
    EXPECT_FALSE(addFlat->isEnabled()) << "but only a map document handles it";
}

// The dome kind of a new document opens the map window and its dome window; that map view
// then has its one dome window.
TEST_F(MainWindow, NewDomeViewDocumentUsesUpTheViewsDomeWindow) {
    dialogs.documentKind = 1;
    dialogs.panSettings = [](PanSettings&) {};
    app->OnFileNew();
    EXPECT_EQ(app->MainFrame().Area().subWindowList().size(), 2);
    auto* view = app->MainFrame().Area().findChild<CMosaView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->DomeViewAvailable());
}

TEST_F(MainWindow, AcceleratorsReachTheirCommands) {
    dialogs.documentKind = 2;
    QApplication::setActiveWindow(&app->MainFrame());
    QTest::keyClick(&app->MainFrame(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(app->Windows().Count(), 1u) << "Ctrl+N asked for a kind and made an image document";
    const QList<QAction*> keys = app->MainFrame().actions();
    QStringList shortcuts;
    for (const QAction* key : keys) shortcuts << key->shortcut().toString();
    for (const char* expected :
         {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+Z", "Alt+Backspace", "Ctrl+X", "Shift+Del", "Ctrl+C",
          "Ctrl+Ins", "Ctrl+V", "Shift+Ins", "F6", "Shift+F6"}) {
        EXPECT_TRUE(shortcuts.contains(expected)) << expected;
    }
}

TEST_F(MainWindow, StatusBarHasItsIndicators) {
    for (const char* name : {"CAP", "NUM", "SCRL"}) {
        QLabel* label = app->MainFrame().Indicator(name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), name);
    }
    // A key press passes through every widget from the focus up to the main window; the
    // indicator must turn once per press wherever the focus is.
    QWindow* window = app->MainFrame().windowHandle();
    app->MainFrame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app->MainFrame()));
    QTest::keyClick(window, Qt::Key_CapsLock);
    EXPECT_TRUE(app->MainFrame().Indicator("CAP")->isEnabled());
    const PanSettings settings = NewDocumentPanSettings();
    ASSERT_NE(app->Windows().NewMapDocument(&settings), nullptr);
    auto* view = app->MainFrame().Area().findChild<CMosaView*>();
    ASSERT_NE(view, nullptr);
    view->setFocus();
    QTest::keyClick(window, Qt::Key_CapsLock);
    EXPECT_FALSE(app->MainFrame().Indicator("CAP")->isEnabled());
    QTest::keyClick(window, Qt::Key_NumLock);
    EXPECT_TRUE(app->MainFrame().Indicator("NUM")->isEnabled());
    auto* edit = new QLineEdit;
    app->MainFrame().statusBar()->addWidget(edit);
    edit->show();
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    QTest::keyClick(window, Qt::Key_NumLock);
    EXPECT_FALSE(app->MainFrame().Indicator("NUM")->isEnabled());
}

// Opened pictures go to the top of the File menu's list and to its store, and the next
// start shows them again.
TEST_F(MainWindow, OpenedPicturesAreListedAndRemembered) {
    for (const char* name : {"a.bmp", "b.bmp"}) {
        CImage picture;
        picture.Create(4, 4, 24, -1);
        ASSERT_EQ(picture.SaveAs(dir.File(name)), 1);
        dialogs.files = {dir.File(name)};
        app->OnOpenImage();
    }
    const QString first = "  &1 " + QString::fromStdString(dir.File("b.bmp"));
    const QString second = "  &2 " + QString::fromStdString(dir.File("a.bmp"));
    QStringList menus = MenuText(Bar());
    EXPECT_EQ(menus.indexOf(second), menus.indexOf(first) + 1) << menus.join('\n').toStdString();
    EXPECT_EQ(recentStore.values["File1"], dir.File("b.bmp"));
    EXPECT_EQ(recentStore.values["File2"], dir.File("a.bmp"));
    EXPECT_EQ(recentStore.values["File3"], "");

    app.reset();
    CMosaApp again({"mosa"}, store, recentStore, dialogs);
    menus = MenuText(again.MainFrame().menuBar());
    EXPECT_EQ(menus.indexOf(second), menus.indexOf(first) + 1);
    EXPECT_NE(menus.indexOf(first), -1);
    EXPECT_TRUE(store.values.empty()) << "the settings section is not touched";
}

// The About box names the project's version and shows the program's icon.
TEST_F(MainWindow, AboutBoxNamesTheVersionBesideTheIcon) {
    AboutDialog about(&app->MainFrame());
    EXPECT_EQ(about.windowTitle(), "About mosa");
    EXPECT_EQ(about.findChild<QLabel*>("version")->text(), "mosa Version " MOSA_VERSION);
    bool icon = false;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        icon = icon || !label->pixmap().isNull();
    }
    EXPECT_TRUE(icon);
}

TEST_F(MainWindow, SettingsRoundTripThroughTheDesktopStore) {
    {
        QtSettingsStore desktop;
        CMosaApp first({"mosa"}, desktop, recentStore, dialogs);
        EXPECT_EQ(first.Settings().fiveViewBase, "zelk") << "a clean start";
        first.Settings().offMapBlue = 7;
        first.StoreSettings();
    }
    QSettings written(QStringLiteral("Kesto"), QStringLiteral("mosa"));
    written.beginGroup(QStringLiteral("Settings"));
    EXPECT_EQ(written.childKeys().size(), 7);
    EXPECT_EQ(written.value("fiveViewSweep").toString(), "180.00");
    EXPECT_EQ(written.value("OffMapBlue").toInt(), 7);
    QtSettingsStore desktop;
    CMosaApp again({"mosa"}, desktop, recentStore, dialogs);
    EXPECT_EQ(again.Settings().offMapBlue, 7);
}

}  // namespace
