// The job dialogs remember what the user gave them, for the next showing and the next run.
#include <gtest/gtest.h>

#include <QDir>

#include "gui/app/MosaApp.h"
#include "gui/widgets/ImageFileDialog.h"
#include "mapdoc/FourViewPan.h"
#include "support/gui/DesktopTest.h"
#include "support/gui/DialogDriver.h"
#include "support/gui/ModalAnswers.h"

namespace {

class DialogMemory : public DesktopTest {
  protected:
    std::unique_ptr<CMosaApp> NewApp() {
        auto app = std::make_unique<CMosaApp>(std::vector<std::string>{"mosa"}, store,
                                              recentStore, dialogs);
        app->SetDialogStore(dialogStore);
        return app;
    }
    MemorySettingsStore dialogStore;
};

// Five face files that do not exist, and a frame range: the run stops with "doesn't exist!",
// and the next showing (in this run and in the next) offers them again.
TEST_F(DialogMemory, FiveViewFacesAndFramesSurviveAFailedRunAndARestart) {
    auto app = NewApp();
    dialogs.fiveView = [this](FiveViewSettings& s) {
        s.backFile = dir.File("b/back####.tga");
        s.frontFile = dir.File("b/front####.tga");
        s.leftFile = dir.File("b/left####.tga");
        s.rightFile = dir.File("b/right####.tga");
        s.topFile = dir.File("b/top####.tga");
        s.frameRange = 1;
        s.firstFrame = 12;
        s.lastFrame = 40;
    };
    {
        ModalAnswers answers;
        app->OnFiveViewPolar();
        ASSERT_FALSE(answers.texts.empty());
        EXPECT_NE(answers.texts[0].find("doesn't exist!"), std::string::npos) << answers.texts[0];
    }
    FiveViewSettings offered;
    dialogs.fiveView = [&offered](FiveViewSettings& s) { offered = s; };
    const auto expectOffered = [&] {
        EXPECT_EQ(offered.backFile, dir.File("b/back####.tga"));
        EXPECT_EQ(offered.topFile, dir.File("b/top####.tga"));
        EXPECT_EQ(offered.frameRange, 1);
        EXPECT_EQ(offered.firstFrame, 12);
        EXPECT_EQ(offered.lastFrame, 40);
    };
    {
        ModalAnswers answers;
        app->OnFiveViewPolar();
    }
    expectOffered();
    app.reset();
    offered = {};
    app = NewApp();
    {
        ModalAnswers answers;
        app->OnFiveViewPolar();
    }
    expectOffered();
    EXPECT_EQ(store.values.count("FiveViewBack"), 0u) << "the settings' keys stay as they were";
}

// The "Channel Source Files" dialog offers the last views and output type; a declined
// dialog changes nothing.
TEST_F(DialogMemory, ChannelSourceFilesAreOfferedAgain) {
    auto app = NewApp();
    dialogs.channelFiles = [this](ChannelFiles& f) {
        f.left = dir.File("l.bmp");
        f.center = dir.File("c.bmp");
        f.right = dir.File("r.bmp");
        f.top = dir.File("u.bmp");
        f.outputType = 2;
    };
    {
        ModalAnswers answers;
        app->OnFourViewPan();
    }
    ChannelFiles offered;
    dialogs.channelFiles = [&offered](ChannelFiles& f) {
        offered = f;
        f.left = "declined";
    };
    app = NewApp();
    {
        ModalAnswers answers;
        app->OnFourViewPan();
    }
    EXPECT_EQ(offered.left, dir.File("l.bmp"));
    EXPECT_EQ(offered.top, dir.File("u.bmp"));
    EXPECT_EQ(offered.outputType, 2);
    EXPECT_EQ(offered.outputBaseName, "mosa");
}

// Every image file dialog starts where the last chosen picture was: the current directory
// at first, then that picture's folder, kept across runs.
TEST_F(DialogMemory, FileDialogsStartWhereTheLastPictureWas) {
    SetRememberedPictureFolder("");
    auto app = NewApp();
    ScriptedFileChooser chooser(Chosen(QString::fromStdString(dir.File("pics/a.bmp"))));
    std::string name = "pr.bmp";
    int type = -1;
    ASSERT_EQ(ImageFileDialog(nullptr, name, FileDialogMode::kSave, type), 1);
    EXPECT_EQ(chooser.requests.at(0).folder, QDir::currentPath());
    ASSERT_EQ(ImageFileDialog(nullptr, name, FileDialogMode::kOpen, type), 1);
    EXPECT_EQ(chooser.requests.at(1).folder, QString::fromStdString(dir.File("pics")));
    app->StoreSettings();
    SetRememberedPictureFolder("");
    app = NewApp();
    EXPECT_EQ(RememberedPictureFolder(), QString::fromStdString(dir.File("pics")));
    SetRememberedPictureFolder("");
}

}  // namespace
