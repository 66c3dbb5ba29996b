#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTest>
#include <filesystem>

#include "gui/app/DocumentWindows.h"
#include "gui/app/MainFrame.h"
#include "gui/app/MosaApp.h"
#include "gui/progress/ProgressWnd.h"
#include "support/CurrentDirectory.h"
#include "support/FileBytes.h"
#include "support/SkyFaceFiles.h"
#include "support/TempDir.h"
#include "support/gui/DesktopTest.h"
#include "support/gui/ModalAnswers.h"

namespace {

class CommandJobs : public DesktopTest {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.File("gui"));
        std::filesystem::create_directories(dir.File("batch"));
        // The four-view command takes sequences: frame 0 of each view.
        WriteSkyFaces(dir.Path().string(), {"", "0"});
    }
    std::string Face(const char* name) const { return dir.File(std::string(name) + ".bmp"); }
};

TEST_F(CommandJobs, FiveViewCommandWritesWhatTheBatchModeWrites) {
    dialogs.fiveView = [this](FiveViewSettings& s) {
        s.topFile = Face("top");
        s.leftFile = Face("left");
        s.backFile = Face("back");
        s.rightFile = Face("right");
        s.frontFile = Face("front");
        s.inputKind = 0;
        s.width = s.height = 64;
        s.polarFormat = kDomeMaster;
        s.samplingMode = kSubsample5;
        s.outputFormat = kOutputBmp;
        s.directory = dir.File("gui") + "/";
        s.baseName = "dome";
        s.sameSize = 0;
    };
    CMosaApp app({"mosa"}, store, recentStore, dialogs);
    {
        ModalAnswers answers;
        app.OnFiveViewPolar();
        ASSERT_EQ(answers.texts.size(), 1u);
        EXPECT_EQ(answers.texts[0].rfind("Rendering took ", 0), 0u);
    }
    EXPECT_EQ(app.Settings().fiveViewBase, "dome") << "remembered for the next dialog";
    EXPECT_EQ(app.Windows().Count(), 0u) << "the output window closes after the job";

    CMosaApp batch(
        {"mosa", "-5viewpolar", "-domemaster", "-4x", "-res", "64", "64", Face("left"),
         Face("front"), Face("right"), Face("top"), Face("back"), dir.File("batch/dome.bmp")},
        store, recentStore, dialogs);
    EXPECT_EQ(batch.RunBatch().outcome, BatchOutcome::kDone);
    const std::vector<uint8_t> fromCommand = ReadFileBytes(dir.File("gui/dome00000.bmp"));
    ASSERT_FALSE(fromCommand.empty());
    EXPECT_EQ(fromCommand, ReadFileBytes(dir.File("batch/dome.bmp")));
}

TEST_F(CommandJobs, FourViewCommandWritesWhatTheBatchModeWrites) {
    dialogs.channelFiles = CubeViewAnswer([this](const char* view) { return Face(view); });
    dialogs.panSettings = [](PanSettings& p) {
        p.width = 200;
        p.height = 60;
        p.antiAliasing = kMap4x;
    };
    CMosaApp app({"mosa"}, store, recentStore, dialogs);
    {
        const CurrentDirectory here(dir.File("gui"));
        ModalAnswers answers;
        app.OnFourViewPan();
        ASSERT_EQ(answers.texts.size(), 1u);
        EXPECT_EQ(answers.texts[0], "1 frame written to " + dir.File("gui") + "\nOK?");
    }
    {
        const CurrentDirectory here(dir.File("batch"));
        CMosaApp batch({"mosa", "-res", "200", "60", "-4x", Face("left"), Face("front"),
                        Face("right"), Face("top"), "pan.bmp"},
                       store, recentStore, dialogs);
        EXPECT_EQ(batch.RunBatch().outcome, BatchOutcome::kDone);
    }
    // The command names its frame after frame 0 of the (single-file) sequences.
    const std::vector<uint8_t> fromCommand = ReadFileBytes(dir.File("gui/mosa00000.bmp"));
    ASSERT_FALSE(fromCommand.empty());
    EXPECT_EQ(fromCommand, ReadFileBytes(dir.File("batch/pan.bmp")));
}

TEST_F(CommandJobs, AddFlatPaintsTheChosenPictureOrReportsAnUnreadableOne) {
    CMosaApp app({"mosa"}, store, recentStore, dialogs);
    PanSettings settings = NewDocumentPanSettings();
    settings.width = 90;
    settings.height = 30;
    CMosaDoc* document = app.Windows().NewMapDocument(&settings);
    ASSERT_NE(document, nullptr);
    dialogs.files = {dir.File("nothing.bmp"), Face("front")};
    dialogs.patch = [](PatchParameters& p) { p.elevation = 20; };
    {
        ModalAnswers answers;
        app.OnAddFlat();
        ASSERT_EQ(answers.texts.size(), 1u);
        EXPECT_EQ(answers.texts[0], "'" + dir.File("nothing.bmp") + "'\nfile read error");
    }
    app.OnAddFlat();
    ASSERT_EQ(document->Patches().size(), 1u);
    EXPECT_EQ(document->Patches()[0]->elevation, 20);
    EXPECT_TRUE(document->IsModified());
}

// Closing the main window closes every document; a changed one asks first, and Cancel keeps
// the application open.
TEST_F(CommandJobs, ExitAsksAboutChangedDocuments) {
    CMosaApp app({"mosa"}, store, recentStore, dialogs);
    app.MainFrame().show();
    PanSettings settings = NewDocumentPanSettings();
    CMosaDoc* document = app.Windows().NewMapDocument(&settings);
    ASSERT_NE(document, nullptr);
    document->SetModified(true);
    {
        ModalAnswers answers(QMessageBox::Cancel);
        EXPECT_FALSE(app.MainFrame().close());
        EXPECT_EQ(answers.texts, std::vector<std::string>{"Save changes to Mosa1?"});
    }
    EXPECT_TRUE(app.MainFrame().isVisible());
    EXPECT_EQ(app.MainFrame().Area().subWindowList().size(), 1);
    ModalAnswers answers(QMessageBox::Discard);
    EXPECT_TRUE(app.MainFrame().close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(app.MainFrame().Area().subWindowList().isEmpty());
}

// Save writes to the document's own file without asking for a name, and says so when it
// cannot; Save As gives the window the new name.
TEST_F(CommandJobs, SaveUsesTheDocumentsFileAndReportsFailure) {
    CMosaApp app({"mosa"}, store, recentStore, dialogs);
    dialogs.files = {Face("top")};
    app.OnOpenImage();
    CDocument* document = app.Windows().ActiveDocument();
    ASSERT_NE(document, nullptr);
    std::filesystem::remove(Face("top"));
    app.OnSave();
    EXPECT_TRUE(CImage(Face("top"), -1).HasImage());
    EXPECT_EQ(dialogs.offeredNames.size(), 1u) << "no file dialog for Save";

    document->SetPathName(dir.File("no/such/folder/top.bmp"));
    {
        ModalAnswers answers;
        app.OnSave();
        EXPECT_EQ(answers.texts,
                  std::vector<std::string>{"Could not save " + dir.File("no/such/folder/top.bmp")});
    }
    dialogs.files = {dir.File("renamed.bmp")};
    app.OnSaveAs();
    EXPECT_TRUE(CImage(dir.File("renamed.bmp"), -1).HasImage());
    EXPECT_EQ(app.MainFrame().Area().subWindowList().at(0)->windowTitle(), "renamed.bmp");
}

TEST_F(CommandJobs, OpeningAnUnreadableFileReportsItAndOpensNothing) {
    CMosaApp app({"mosa"}, store, recentStore, dialogs);
    WriteFileBytes(dir.File("broken.png"), {0x89, 'P', 'N', 'G'});
    dialogs.files = {dir.File("broken.png")};
    ModalAnswers answers;
    app.OnOpenImage();
    EXPECT_EQ(answers.texts,
              std::vector<std::string>{"'" + dir.File("broken.png") + "'\nfile read error"});
    EXPECT_TRUE(app.MainFrame().Area().subWindowList().isEmpty());
    EXPECT_TRUE(recentStore.values.empty()) << "a file that did not open is not recent";
}

TEST(ProgressWindow, CaptionShowsTitleThenPercentages) {
    CProgressWnd progress;
    EXPECT_EQ(progress.Step(), 0) << "before Open nothing moves";
    progress.Open("Batch Map", 0);
    EXPECT_EQ(progress.Caption(), "Batch Map");
    progress.SetRange(0, 3, 1);
    progress.SetTextLines(1, 390);
    progress.Step();
    EXPECT_EQ(progress.Caption(), "Progress [33%]");
    progress.Step();
    EXPECT_EQ(progress.Caption(), "Progress [66%]");
    progress.Step();
    EXPECT_EQ(progress.Caption(), "Progress [100%]");
    EXPECT_EQ(progress.Window()->width(), 410) << "text width plus two margins";
}

TEST(ProgressWindow, EscapeTypedIntoTheMainWindowCancelsWhileTheJobPumps) {
    CMainFrame main;
    main.show();
    CProgressWnd progress(&main);
    progress.Open("Mapping . . .", 0);
    progress.PumpMessages(1);
    EXPECT_EQ(progress.cancelled, 0);
    QCoreApplication::postEvent(&main,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    progress.PumpMessages(1);
    EXPECT_EQ(progress.cancelled, 1);
}

}  // namespace
