#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "gui/fiveview/FiveViewDialog.h"
#include "support/gui/DialogDriver.h"

namespace {

FiveViewSettings StoredSettings() {
    FiveViewSettings settings;
    settings.baseName = "zelk";
    settings.directory = "/renders/shows/";
    settings.samplingMode = kEwa;
    return settings;
}

class FiveViewDialogTest : public DialogTest {
  protected:
    bool Enabled(const char* name) { return Control(*dialog, name)->isEnabled(); }

    FiveViewSettings settings = StoredSettings();
    std::unique_ptr<FiveViewDialog> dialog = std::make_unique<FiveViewDialog>(settings);
};

TEST_F(FiveViewDialogTest, OpensOnTheRecordWithNoAntiAliasingAndTheEnablingRules) {
    EXPECT_EQ(Control<QComboBox>(*dialog, "samplingMode")->currentText(), "No AA");
    EXPECT_EQ(Control<QComboBox>(*dialog, "samplingMode")->count(), 3);
    EXPECT_EQ(Edit(*dialog, "width")->text(), "2200");
    EXPECT_EQ(Edit(*dialog, "polarSweep")->text(), "180");
    EXPECT_EQ(Edit(*dialog, "lastFrame")->text(), "99999");
    EXPECT_EQ(Control<QLabel>(*dialog, "directory")->text(), "/renders/shows/");
    EXPECT_TRUE(Control<QAbstractButton>(*dialog, "tga")->isChecked());
    EXPECT_TRUE(Control<QAbstractButton>(*dialog, "sequence")->isChecked());
    EXPECT_FALSE(Enabled("height"));  // square
    EXPECT_TRUE(Enabled("includeOnly"));
    EXPECT_FALSE(Enabled("firstFrame"));  // all frames
    EXPECT_FALSE(Enabled("lastFrame"));
}

TEST_F(FiveViewDialogTest, SquareCopiesTheWidthIntoHeightWhileTyping) {
    QLineEdit* width = Edit(*dialog, "width");
    QLineEdit* height = Edit(*dialog, "height");
    width->clear();
    QTest::keyClicks(width, "10");
    EXPECT_EQ(height->text(), "10");
    QTest::keyClicks(width, "x");  // no number yet: no message (see DialogTest), Height kept
    EXPECT_EQ(height->text(), "10");

    Click(*dialog, "square");
    EXPECT_TRUE(height->isEnabled());
    width->setText("640");
    height->setText("480");
    EXPECT_EQ(height->text(), "480");
    Click(*dialog, "square");
    EXPECT_FALSE(height->isEnabled());
    EXPECT_EQ(height->text(), "640");
}

TEST_F(FiveViewDialogTest, SequenceEnablesTheFrameRangeAndIncludeOnlyTheFrameNumbers) {
    Click(*dialog, "includeOnly");
    EXPECT_TRUE(Enabled("firstFrame"));
    EXPECT_TRUE(Enabled("lastFrame"));
    Click(*dialog, "singleFrame");
    for (const char* name : {"allFrames", "includeOnly", "firstFrame", "lastFrame"}) {
        EXPECT_FALSE(Enabled(name)) << name;
    }
    Click(*dialog, "sequence");
    EXPECT_TRUE(Enabled("allFrames"));
    EXPECT_TRUE(Enabled("firstFrame"));
    Click(*dialog, "allFrames");
    EXPECT_FALSE(Enabled("firstFrame"));
}

TEST_F(FiveViewDialogTest, PresetsReplaceTheSweepOnceTheOtherControlsRead) {
    QLineEdit* sweep = Edit(*dialog, "polarSweep");
    sweep->setText("400");
    Click(*dialog, "brc");
    EXPECT_EQ(sweep->text(), "212.58");
    Click(*dialog, "hemi");
    EXPECT_EQ(sweep->text(), "180");

    sweep->setText("90");
    Edit(*dialog, "crop")->setText("two");
    WarningCatcher catcher;
    Click(*dialog, "brc");
    EXPECT_EQ(catcher.texts, QStringList{"Please enter an integer."});
    EXPECT_EQ(dialog->focusWidget(), Edit(*dialog, "crop"));
    EXPECT_EQ(sweep->text(), "90");
}

TEST_F(FiveViewDialogTest, OkRefusesTheFirstBadFieldAndKeepsTheDialogOpen) {
    dialog->show();
    Click(*dialog, "square");
    Edit(*dialog, "height")->setText("tall");
    Edit(*dialog, "polarSweep")->setText("400");
    Edit(*dialog, "crop")->setText("1.5");
    EXPECT_EQ(PressOk(*dialog), "Please enter an integer.");
    EXPECT_EQ(dialog->focusWidget(), Edit(*dialog, "height"));
    Edit(*dialog, "height")->setText("1000");
    EXPECT_EQ(PressOk(*dialog), "Please enter a number between 0 and 360.");
    EXPECT_EQ(dialog->focusWidget(), Edit(*dialog, "polarSweep"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    Edit(*dialog, "polarSweep")->setText("360");
    EXPECT_EQ(PressOk(*dialog), "Please enter an integer.");
    EXPECT_EQ(dialog->focusWidget(), Edit(*dialog, "crop"));
    EXPECT_EQ(settings.height, 2200);
    EXPECT_EQ(settings.polarSweep, 180);
}

TEST_F(FiveViewDialogTest, OkWritesEveryKindOfField) {
    QTimer::singleShot(0, dialog.get(), [this] {
        Control<QComboBox>(*dialog, "samplingMode")->setCurrentIndex(kSubsample5);
        Edit(*dialog, "top")->setText("/v/top.tga");
        Edit(*dialog, "width")->setText("1024");
        Click(*dialog, "jpeg");
        Click(*dialog, "domeMaster");
        Click(*dialog, "includeOnly");
        Edit(*dialog, "firstFrame")->setText("10");
        Edit(*dialog, "polarSweep")->setText("0");
        Click(*dialog, "halfPans");
        Click(*dialog, "ok");
        if (dialog->isVisible()) dialog->reject();
    });
    ASSERT_EQ(dialog->exec(), QDialog::Accepted);
    EXPECT_EQ(settings.samplingMode, kSubsample5);
    EXPECT_EQ(settings.topFile, "/v/top.tga");
    EXPECT_EQ(settings.width, 1024);
    EXPECT_EQ(settings.height, 1024);
    EXPECT_EQ(settings.outputFormat, kOutputJpeg);
    EXPECT_EQ(settings.polarFormat, kDomeMaster);
    EXPECT_EQ(settings.frameRange, 1);
    EXPECT_EQ(settings.firstFrame, 10);
    EXPECT_EQ(settings.polarSweep, 0);
    EXPECT_EQ(settings.halfPans, 1);
    EXPECT_EQ(settings.baseName, "zelk");
}

TEST_F(FiveViewDialogTest, DirectoryButtonAsksForAFolderAndEndsItWithASlash) {
    std::vector<std::pair<QString, QString>> asked;
    QString answer = "/data/domes";
    dialog->SetFolderChooser([&](QWidget*, const QString& title, const QString& start) {
        asked.emplace_back(title, start);
        return answer;
    });
    QLabel* directory = Control<QLabel>(*dialog, "directory");
    Click(*dialog, "directoryButton");
    EXPECT_EQ(directory->text(), "/data/domes/");
    answer = "";
    Click(*dialog, "directoryButton");
    EXPECT_EQ(directory->text(), "/data/domes/");
    answer = "/";
    Click(*dialog, "directoryButton");
    EXPECT_EQ(directory->text(), "/");

    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0],
              std::make_pair(QString("Select output directory:"), QString("/renders/shows/")));
    EXPECT_EQ(asked[1].second, "/data/domes/");
    EXPECT_EQ(PressOk(*dialog), "");
    EXPECT_EQ(settings.directory, "/");
}

TEST_F(FiveViewDialogTest, BrowsedFileGoesInAsSequenceNameOnlyForSequences) {
    ScriptedFileChooser chooser(Chosen("/v/front0007.tga"));
    Click(*dialog, "frontBrowse");
    EXPECT_EQ(Edit(*dialog, "front")->text(), "/v/front.tga");
    Click(*dialog, "singleFrame");
    Click(*dialog, "backBrowse");
    EXPECT_EQ(Edit(*dialog, "back")->text(), "/v/front0007.tga");
    EXPECT_TRUE(chooser.requests.at(1).forOpen);
}

}  // namespace
