// File > Close on a map document with a dome view, under a real X server (the dome view
// needs OpenGL).
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>

#include "gui/app/DocumentWindows.h"
#include "gui/app/MainFrame.h"
#include "gui/app/MosaApp.h"
#include "mapdoc/MosaDoc.h"
#include "support/gui/RunningDesktop.h"
#include "support/gui/ModalAnswers.h"

namespace {

using DesktopWindows = RunningDesktop;

// File > Close closes the document with every window it has, its dome view included, and
// asks once about a changed map document.
TEST_F(DesktopWindows, FileCloseClosesTheDocumentWithAllItsWindows) {
    PanSettings settings = NewDocumentPanSettings();
    CMosaDoc* map = app->Windows().NewMapDocument(&settings);
    ASSERT_NE(map, nullptr);
    app->OnDomeView();
    Area().setActiveSubWindow(Area().subWindowList().first());
    app->Windows().NewWindow();
    CImage other;
    ASSERT_TRUE(other.Create(8, 8, 24, -1));
    ASSERT_EQ(other.SaveAs(dir.File("other.bmp")), 1);
    ASSERT_NE(app->Windows().OpenImage(dir.File("other.bmp"), kTypeFromExtension), nullptr);
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

}  // namespace
