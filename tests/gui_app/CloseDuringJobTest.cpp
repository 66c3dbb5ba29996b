#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTimer>
#include <filesystem>

#include "document/ImageDoc.h"
#include "gui/app/CommandIds.h"
#include "gui/app/DocumentWindows.h"
#include "gui/app/MainFrame.h"
#include "gui/app/MosaApp.h"
#include "gui/app/TransformCommands.h"
#include "gui/progress/ProgressWnd.h"
#include "platform/QtSettingsStore.h"
#include "support/CurrentDirectory.h"
#include "support/FileBytes.h"
#include "support/SkyFaceFiles.h"
#include "support/TempDir.h"
#include "support/gui/DesktopTest.h"
#include "support/gui/DuringJob.h"
#include "support/gui/ModalAnswers.h"

namespace {

const std::vector<uint8_t> kOldOutput = {'o', 'l', 'd'};

// Jobs over two-frame sequences of sky faces, with an output of an earlier run in "out". The
// user closes a window while the job pumps; the job must stop without writing the frame it
// was working on, and nothing may be destroyed under it.
class CloseDuringJob : public DesktopTest {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.File("seq"));
        std::filesystem::create_directories(dir.File("out"));
        WriteSkyFaces(dir.File("seq"), {"0", "1"});
        dialogs.fiveView = [this](FiveViewSettings& s) {
            s.topFile = Sequence("top");
            s.leftFile = Sequence("left");
            s.backFile = Sequence("back");
            s.rightFile = Sequence("right");
            s.frontFile = Sequence("front");
            s.inputKind = 1;
            s.width = s.height = 96;
            s.outputFormat = kOutputBmp;
            s.directory = dir.File("out") + "/";
            s.baseName = "dome";
        };
        dialogs.channelFiles = CubeViewAnswer([this](const char* view) { return Sequence(view); });
        dialogs.panSettings = [](PanSettings& p) {
            p.width = 240;
            p.height = 80;
        };
        WriteFileBytes(dir.File("out/dome00000.bmp"), kOldOutput);
        WriteFileBytes(dir.File("out/mosa00000.bmp"), kOldOutput);
    }
    std::string Sequence(const char* face) const {
        return dir.File(std::string("seq/") + face + ".bmp");
    }
    // The earlier run's files are as they were, and the cancelled run left nothing beside them.
    void ExpectOnlyTheOldOutput() const {
        EXPECT_EQ(ReadFileBytes(dir.File("out/dome00000.bmp")), kOldOutput);
        EXPECT_EQ(ReadFileBytes(dir.File("out/mosa00000.bmp")), kOldOutput);
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.File("out"))) {
            ++files;
            EXPECT_TRUE(entry.path().filename() == "dome00000.bmp" ||
                        entry.path().filename() == "mosa00000.bmp")
                << entry.path();
        }
        EXPECT_EQ(files, 2);
    }
};

TEST_F(CloseDuringJob, ClosingTheProgressWindowCancelsTheFiveViewJob) {
    CMosaApp app({"mosa"}, store, recentStore, dialogs);
    app.MainFrame().show();
    bool closed = true, stillShown = false;
    DuringJob closer(10, [&] {
        QWidget* progress = DuringJob::ProgressWindow();
        closed = progress->close();
        stillShown = progress->isVisible();
    });
    ModalAnswers answers;
    app.OnFiveViewPolar();
    ASSERT_TRUE(closer.Done());
    EXPECT_FALSE(closed) << "the window stays until the job ends";
    EXPECT_TRUE(stillShown);
    EXPECT_EQ(DuringJob::ProgressWindow(), nullptr) << "gone with the job";
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0].rfind("Rendering took ", 0), 0u);
    EXPECT_EQ(app.Windows().Count(), 0u);
    ExpectOnlyTheOldOutput();
}

TEST_F(CloseDuringJob, ClosingTheFiveViewOutputWindowCancelsTheJobInstead) {
    CMosaApp app({"mosa"}, store, recentStore, dialogs);
    app.MainFrame().show();
    bool closed = true;
    size_t openDuringJob = 0;
    DuringJob closer(10, [&] {
        QMdiSubWindow* output = app.MainFrame().Area().activeSubWindow();
        ASSERT_NE(output, nullptr);
        ASSERT_NE(dynamic_cast<CImageDoc*>(app.Windows().ActiveDocument()), nullptr);
        closed = output->close();
        openDuringJob = app.Windows().Count();
    });
    ModalAnswers answers;
    app.OnFiveViewPolar();
    ASSERT_TRUE(closer.Done());
    EXPECT_FALSE(closed);
    EXPECT_EQ(openDuringJob, 1u) << "the document outlives the close while the job runs";
    EXPECT_EQ(app.Windows().Count(), 0u) << "the job closes its document when it stops";
    EXPECT_EQ(answers.texts.size(), 1u);
    ExpectOnlyTheOldOutput();
}

TEST_F(CloseDuringJob, ClosingTheFourViewMapWindowCancelsTheJobInstead) {
    CMosaApp app({"mosa"}, store, recentStore, dialogs);
    app.MainFrame().show();
    bool closed = true;
    DuringJob closer(10, [&] {
        ASSERT_NE(dynamic_cast<CMosaDoc*>(app.Windows().ActiveDocument()), nullptr);
        closed = app.MainFrame().Area().activeSubWindow()->close();
    });
    ModalAnswers answers;
    {
        const CurrentDirectory here(dir.File("out"));
        app.OnFourViewPan();
    }
    ASSERT_TRUE(closer.Done());
    EXPECT_FALSE(closed);
    EXPECT_EQ(answers.texts,
              std::vector<std::string>{"0 frames written to " + dir.File("out") + "\nOK?"});
    EXPECT_EQ(app.Windows().Count(), 0u);
    ExpectOnlyTheOldOutput();
}

// A document the job only reads and leaves open: the close the user asked for happens once
// the job is over, with the usual question for a changed document.
TEST_F(CloseDuringJob, AHeldBackCloseHappensAfterTheJob) {
    CMosaApp app({"mosa"}, store, recentStore, dialogs);
    app.MainFrame().show();
    PanSettings settings = NewDocumentPanSettings();
    CMosaDoc* map = app.Windows().NewMapDocument(&settings);
    ASSERT_NE(map, nullptr);
    map->SetModified(true);
    QMdiSubWindow* window = app.MainFrame().Area().activeSubWindow();
    ModalAnswers answers(QMessageBox::Discard);
    {
        const JobControl::Running job(app.Jobs(), {map});
        EXPECT_FALSE(window->close());
        EXPECT_TRUE(app.Jobs().CancelRequested());
        EXPECT_FALSE(window->close()) << "asking twice holds back one close";
        EXPECT_TRUE(answers.texts.empty()) << "no question while the job runs";
        EXPECT_EQ(app.Windows().Count(), 1u);
    }
    EXPECT_EQ(answers.texts, std::vector<std::string>{"Save changes to Mosa1?"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app.Windows().Count(), 0u);
}

// The whole desktop run: the five-view command runs from the menu inside the event loop, and
// the user closes the main window while a modified map document is open. The job stops, then
// the application quits the usual way: the save question, and the settings stored.
TEST_F(CloseDuringJob, ClosingTheMainWindowStopsTheJobThenQuits) {
    QtSettingsStore desktopStore;
    CMosaApp app({"mosa"}, desktopStore, recentStore, dialogs);
    PanSettings settings = NewDocumentPanSettings();
    CMosaDoc* map = app.Windows().NewMapDocument(&settings);
    ASSERT_NE(map, nullptr);
    map->SetModified(true);
    bool closed = true;
    size_t openDuringJob = 0;
    DuringJob closer(10, [&] {
        closed = app.MainFrame().close();
        openDuringJob = app.Windows().Count();
    });
    QTimer::singleShot(0, &app, [&app] { app.MainFrame().Action(kCmdFiveViewPolar)->trigger(); });
    // A quit that never comes must not hang the suite.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&watchdog, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QApplication::exit(1);
    });
    watchdog.start(60000);
    ModalAnswers answers(QMessageBox::Discard);

    EXPECT_EQ(app.Run(), 0);
    ASSERT_FALSE(timedOut);
    ASSERT_TRUE(closer.Done());
    EXPECT_FALSE(closed) << "refused while the job runs";
    EXPECT_EQ(openDuringJob, 2u) << "the map and the job's output";
    ASSERT_EQ(answers.texts.size(), 2u);
    EXPECT_EQ(answers.texts[0].rfind("Rendering took ", 0), 0u) << "the job ended first";
    EXPECT_EQ(answers.texts[1], "Save changes to Mosa1?");
    EXPECT_FALSE(app.MainFrame().isVisible());
    ExpectOnlyTheOldOutput();

    QSettings written(QStringLiteral("Kesto"), QStringLiteral("mosa"));
    written.beginGroup(QStringLiteral("Settings"));
    EXPECT_EQ(written.childKeys().size(), 7);
    EXPECT_EQ(written.value("fiveViewBase").toString(), "dome");
    EXPECT_EQ(written.value("fiveViewDir").toString().toStdString(), dir.File("out") + "/");
}

// A batch run with a display: closing the main window cancels the command line's job, the
// run ends with the cancelled status, and the settings are stored all the same.
TEST_F(CloseDuringJob, ClosingTheMainWindowCancelsABatchRun) {
    QtSettingsStore desktopStore;
    auto view = [this](const char* face) { return dir.File(std::string("seq/") + face + "0.bmp"); };
    CMosaApp app({"mosa", "-5viewpolar", "-res", "96", "96", view("left"), view("front"),
                  view("right"), view("top"), view("back"), dir.File("out/dome00000.bmp")},
                 desktopStore, recentStore, dialogs);
    bool closed = true;
    DuringJob closer(10, [&] { closed = app.MainFrame().close(); });
    ModalAnswers answers;
    EXPECT_EQ(app.Run(), 1) << "cancelled from a window";
    ASSERT_TRUE(closer.Done());
    EXPECT_FALSE(closed);
    EXPECT_FALSE(app.MainFrame().isVisible()) << "closed once the job had stopped";
    ExpectOnlyTheOldOutput();
    QSettings written(QStringLiteral("Kesto"), QStringLiteral("mosa"));
    written.beginGroup(QStringLiteral("Settings"));
    EXPECT_EQ(written.childKeys().size(), 7);
}

// A batch transform pumps with its input picture open: closing that window stops the batch
// after the frame in hand instead of freeing the picture the transform reads.
TEST_F(CloseDuringJob, ClosingTheBatchInputWindowStopsTheBatch) {
    CMosaApp app({"mosa"}, store, recentStore, dialogs);
    app.MainFrame().show();
    dialogs.files = {dir.File("seq/front0.bmp"), dir.File("out/polar.bmp")};
    dialogs.rotation = [](XformSettings&) {};
    std::string closedTitle;
    bool closed = true;
    // Passes: before the first frame, then with its input loaded.
    DuringJob closer(2, [&] {
        QMdiSubWindow* input = app.MainFrame().Area().activeSubWindow();
        ASSERT_NE(input, nullptr);
        closedTitle = input->windowTitle().toStdString();
        closed = input->close();
    });
    ModalAnswers answers;
    app.Transforms().OnBatchXform(XformKind::kRectToPolar);
    ASSERT_TRUE(closer.Done());
    EXPECT_EQ(closedTitle, dir.File("seq/front0.bmp"));
    EXPECT_FALSE(closed);
    EXPECT_EQ(app.Windows().Count(), 0u);
    EXPECT_TRUE(CImage(dir.File("out/polar0.bmp"), -1).HasImage()) << "the frame in hand";
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/polar1.bmp"))) << "no frame after it";
}

TEST(ProgressWindowClose, MeansCancelAndLeavesTheWindowToTheJob) {
    CProgressWnd progress;
    progress.Open("Mapping . . .", 0);
    EXPECT_FALSE(progress.Window()->close());
    EXPECT_EQ(progress.cancelled, 1);
    EXPECT_TRUE(progress.Window()->isVisible());
}

TEST(ProgressWindowClose, AStopAskedFromOutsideIsSeenAtTheNextPump) {
    bool stop = false;
    CProgressWnd progress(nullptr, [&stop] { return stop; });
    progress.Open("Batch Map", 0);
    progress.PumpMessages(1);
    EXPECT_EQ(progress.cancelled, 0);
    stop = true;
    EXPECT_EQ(progress.cancelled, 0) << "noticed only where the job pumps";
    progress.PumpMessages(1);
    EXPECT_EQ(progress.cancelled, 1);
}

}  // namespace
