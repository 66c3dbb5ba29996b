#include <QRadioButton>

#include "gui/mapdoc/ChannelFilesDialog.h"
#include "gui/mapdoc/NewMosaDialog.h"
#include "gui/mapdoc/NewPatchDialog.h"
#include "support/gui/DialogDriver.h"

namespace {

using NewMosaDialogTest = DialogTest;
using NewPatchDialogTest = DialogTest;
using ChannelFilesDialogTest = DialogTest;

TEST_F(NewMosaDialogTest, ShowsTheRecordAndNoAntiAliasingButtonForAFreshOne) {
    PanSettings settings = NewDocumentPanSettings();
    NewMosaDialog dialog(settings);
    EXPECT_EQ(Edit(dialog, "azimuthLeft")->text(), "-100");
    EXPECT_EQ(Edit(dialog, "height")->text(), "486");
    EXPECT_TRUE(Control<QRadioButton>(dialog, "aaNone")->isChecked());

    PanSettings fresh;
    NewMosaDialog unchosen(fresh);
    for (const char* name : {"aaNone", "aa4x", "aa7x"}) {
        EXPECT_FALSE(Control<QRadioButton>(unchosen, name)->isChecked()) << name;
    }
}

TEST_F(NewMosaDialogTest, RefusesOneFieldAtATimeInItsOrderAndWritesBackOnlyWhenAllPass) {
    PanSettings settings = NewDocumentPanSettings();
    NewMosaDialog dialog(settings);
    RunSteps(
        dialog,
        {{{{"altitudeTop", "91"},
           {"azimuthRight", "200"},
           {"height", "0"},
           {"width", "wide"},
           {"eyeZ", "1.5"}},
          "Please enter a number between -180 and 180.",
          "azimuthRight"},
         {{{"azimuthRight", "180"}}, "Please enter a number between -90 and 90.", "altitudeTop"},
         {{{"altitudeTop", "-90"}}, "Please enter an integer between 1 and 4096.", "height"},
         {{{"height", "4096"}}, "Please enter an integer.", "width"},
         {{{"width", "1"}}, "Please enter a number between -1 and 1.", "eyeZ"}});
    EXPECT_EQ(settings.azimuthRight, 100);  // nothing written while refused
    EXPECT_EQ(settings.height, 486);

    Edit(dialog, "eyeZ")->setText("-1");
    Click(dialog, "aa7x");
    EXPECT_EQ(PressOk(dialog), "");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.azimuthRight, 180);
    EXPECT_EQ(settings.altitudeTop, -90);
    EXPECT_EQ(settings.height, 4096);
    EXPECT_EQ(settings.width, 1);
    EXPECT_EQ(settings.eyeZ, -1);
    EXPECT_EQ(settings.antiAliasing, kMap7x);
}

TEST_F(NewMosaDialogTest, CancelKeepsTheRecord) {
    PanSettings settings = NewDocumentPanSettings();
    NewMosaDialog dialog(settings);
    QTimer::singleShot(0, &dialog, [&dialog] {
        Edit(dialog, "width")->setText("2000");
        Click(dialog, "aa4x");
        Click(dialog, "cancel");
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(settings.width, 1800);
    EXPECT_EQ(settings.antiAliasing, kMapNoAA);
}

TEST_F(NewPatchDialogTest, BoundsAreInclusive) {
    PatchParameters parameters;
    NewPatchDialog dialog(parameters);
    EXPECT_EQ(Edit(dialog, "horizontal")->text(), "90");
    RunSteps(dialog,
             {{{{"azimuth", "-180.5"}}, "Please enter a number between -180 and 180.", "azimuth"},
              {{{"azimuth", "-180"}, {"elevation", "90.01"}},
               "Please enter a number between -90 and 90.",
               "elevation"},
              {{{"elevation", "90"}, {"horizontal", "0.99"}},
               "Please enter a number between 1 and 180.",
               "horizontal"},
              {{{"horizontal", "180"}, {"vertical", "180"}, {"roll", "-181"}},
               "Please enter a number between -180 and 180.",
               "roll"},
              {{{"roll", "180"}}, "", nullptr}});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(parameters.azimuth, -180);
    EXPECT_EQ(parameters.elevation, 90);
    EXPECT_EQ(parameters.horizontal, 180);
    EXPECT_EQ(parameters.vertical, 180);
    EXPECT_EQ(parameters.roll, 180);
}

TEST_F(ChannelFilesDialogTest, BrowsedFramesGoInAsTheirSequenceNames) {
    ChannelFiles files{"c.tga", "l.tga", "r.tga", "t.tga", "mosa", 0};
    ChannelFilesDialog dialog(files);
    EXPECT_TRUE(Edit(dialog, "output")->isReadOnly());
    EXPECT_EQ(Edit(dialog, "output")->text(), "mosa");
    EXPECT_TRUE(Control<QRadioButton>(dialog, "jpeg")->isChecked());

    ScriptedFileChooser chooser(Chosen("/r/left0012.tga"));
    Click(dialog, "leftBrowse");
    chooser.answer = Chosen("/r/up.7/0001.bmp");
    Click(dialog, "topBrowse");
    chooser.answer = {};
    Click(dialog, "rightBrowse");
    ASSERT_EQ(chooser.requests.size(), 3u);
    EXPECT_TRUE(chooser.requests[0].mustExist);
    EXPECT_EQ(chooser.requests[0].initialName, "l.tga");
    EXPECT_EQ(Edit(dialog, "left")->text(), "/r/left.tga");
    EXPECT_EQ(Edit(dialog, "top")->text(), "/r/up.7/.bmp");
    EXPECT_EQ(Edit(dialog, "right")->text(), "r.tga");
    EXPECT_EQ(files.left, "l.tga");

    Click(dialog, "bmp");
    EXPECT_EQ(PressOk(dialog), "");
    EXPECT_EQ(files.left, "/r/left.tga");
    EXPECT_EQ(files.top, "/r/up.7/.bmp");
    EXPECT_EQ(files.center, "c.tga");
    EXPECT_EQ(files.outputBaseName, "mosa");
    EXPECT_EQ(files.outputType, 1);
}

}  // namespace

namespace {

// Path fields hold a real path, and titles are not cut: the dialog is wider than its title.
TEST_F(ChannelFilesDialogTest, PathsAndTitleFitTheirDialog) {
    ChannelFiles files;
    files.center = "projects/dome-show/renders/shot042/center/center.####.tga";
    ChannelFilesDialog dialog(files);
    dialog.show();
    QLineEdit* center = Edit(dialog, "center");
    EXPECT_GE(center->width(), center->fontMetrics().horizontalAdvance(
                                   QString::fromStdString(files.center)));
    PatchParameters parameters;
    NewPatchDialog patch(parameters);
    patch.show();
    EXPECT_GT(patch.width(), patch.fontMetrics().horizontalAdvance(patch.windowTitle()) + 100);
}

}  // namespace
