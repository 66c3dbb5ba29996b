#include <gtest/gtest.h>

#include <QSettings>
#include <filesystem>

#include "gui/app/DocumentWindows.h"
#include "gui/app/MosaApp.h"
#include "gui/app/TransformCommands.h"
#include "support/TempDir.h"
#include "support/gui/DesktopTest.h"
#include "support/gui/ModalAnswers.h"

namespace {

class TransformCommandsTest : public DesktopTest {
  protected:
    void SetUp() override {
        app = std::make_unique<CMosaApp>(std::vector<std::string>{"mosa"}, store, recentStore,
                                         dialogs);
    }
    void WritePicture(const std::string& name, int width, int height) {
        CImage picture;
        picture.Create(width, height, 24, -1);
        picture.Fill(120, 60, 30, 0);
        ASSERT_EQ(picture.SaveAs(dir.File(name)), 1);
    }

    std::unique_ptr<CMosaApp> app;
};

TEST_F(TransformCommandsTest, BatchAsksAgainForAWritableNameAndConfirmsTheRun) {
    for (const char* frame : {"pan03.bmp", "pan04.bmp", "pan07.bmp"}) WritePicture(frame, 40, 20);
    dialogs.files = {dir.File("pan04.bmp"), dir.File("out.gif"), dir.File("out.bmp")};
    dialogs.rotation = [](XformSettings& s) { s.rotation = 90; };
    ModalAnswers answers;
    app->Transforms().OnBatchXform(XformKind::kRectToPolar);
    ASSERT_EQ(answers.texts.size(), 2u);
    EXPECT_EQ(answers.texts[0],
              "Image output file name extension must be one of:\n  jpg, png, bmp, tga, pict");
    EXPECT_EQ(answers.texts[1], "3 files in sequence '" + dir.File("pan.bmp") +
                                    "' (3 to 7)\n output as " + dir.File("out##.bmp"));
    for (const char* output : {"out03.bmp", "out04.bmp", "out07.bmp"}) {
        CImage written(dir.File(output), -1);
        EXPECT_EQ(written.Width(), 40) << output << ": the source's size";
    }
    EXPECT_EQ(app->Windows().Count(), 0u) << "each frame's windows close again";
}

TEST_F(TransformCommandsTest, BatchOfAnEmptySequenceSaysSo) {
    dialogs.files = {dir.File("none0001.bmp")};
    ModalAnswers answers;
    app->Transforms().OnBatchXform(XformKind::kPolarToRect);
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0], "No files in sequence '" + dir.File("none.bmp") + "' ?!");
}

TEST_F(TransformCommandsTest, SingleTransformOffersItsDefaultNameAndKeepsBothWindows) {
    WritePicture("polar.bmp", 64, 64);
    dialogs.files = {dir.File("polar.bmp"), dir.File("pr.bmp")};
    dialogs.rotation = [](XformSettings&) {};
    app->Transforms().OnXform(XformKind::kPolarToRect);
    ASSERT_EQ(dialogs.offeredNames.size(), 2u);
    EXPECT_EQ(dialogs.offeredNames[1], "pr.bmp");
    CImage written(dir.File("pr.bmp"), -1);
    EXPECT_EQ(written.Width(), 64);
    EXPECT_EQ(app->Windows().Count(), 2u);
}

TEST_F(TransformCommandsTest, DeclinedParametersLeaveTheInputOpenAndWriteNothing) {
    WritePicture("band.bmp", 60, 18);
    dialogs.files = {dir.File("band.bmp"), dir.File("ip.bmp")};
    app->Transforms().OnXform(XformKind::kAmbivueToPolar);
    EXPECT_EQ(app->Windows().Count(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir.File("ip.bmp")));
}

// The pictures Xform and Hammer-Aitoff open go to the recent-file list, as opened ones do;
// a file that does not load does not.
TEST_F(TransformCommandsTest, OpenedInputsAreRecentFiles) {
    WritePicture("polar.bmp", 64, 64);
    WritePicture("world.bmp", 80, 40);
    dialogs.files = {dir.File("polar.bmp"), dir.File("pr.bmp"), dir.File("world.bmp")};
    dialogs.rotation = [](XformSettings&) {};
    app->Transforms().OnXform(XformKind::kPolarToRect);
    app->Transforms().OnHammerAitoff();
    EXPECT_EQ(recentStore.values["File1"], dir.File("world.bmp"));
    EXPECT_EQ(recentStore.values["File2"], dir.File("polar.bmp"));
    {
        ModalAnswers answers;
        dialogs.files = {dir.File("missing.bmp")};
        app->Transforms().OnHammerAitoff();
    }
    EXPECT_EQ(recentStore.values["File1"], dir.File("world.bmp"));
}

TEST_F(TransformCommandsTest, OffMapColourChangesOnlyOnOk) {
    app->Transforms().OnOffMapColor();
    EXPECT_EQ(app->Settings().offMapRed, 0) << "declined";
    dialogs.offMap = [](OffMapColour& c) { c = {10, 20, 30}; };
    app->Transforms().OnOffMapColor();
    EXPECT_EQ(app->Settings().offMapRed, 10);
    EXPECT_EQ(app->Settings().offMapBlue, 30);
}

TEST_F(TransformCommandsTest, MapFisheyeRepaintsTheWholeRectangleAndMarksItChanged) {
    PanSettings settings = NewDocumentPanSettings();
    settings.width = 60;
    settings.height = 20;
    CMosaDoc* map = app->Windows().NewMapDocument(&settings);
    ASSERT_NE(map, nullptr);
    map->Image().Fill(1, 2, 3, 0);
    WritePicture("fish.bmp", 50, 50);
    dialogs.files = {dir.File("fish.bmp")};
    dialogs.fisheye = [](FisheyeParams&) {};
    app->OnMapFisheye();
    uint8_t r, g, b;
    map->Image().GetRGB(0, 0, r, g, b);
    EXPECT_FALSE(r == 1 && g == 2 && b == 3) << "every pixel is rewritten";
    EXPECT_TRUE(map->IsModified()) << "closing must offer to save the new picture";
}

}  // namespace
