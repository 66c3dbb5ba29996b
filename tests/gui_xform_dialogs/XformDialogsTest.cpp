#include "gui/mapdoc/FisheyeDialog.h"
#include "gui/transforms/OffMapColorDialog.h"
#include "gui/transforms/RotationDialog.h"
#include "support/gui/DialogDriver.h"

namespace {

using RotationDialogTest = DialogTest;
using OffMapColorDialogTest = DialogTest;
using FisheyeDialogTest = DialogTest;

TEST_F(RotationDialogTest, TakesAnyWholeNumberOfDegreesAndNothingElse) {
    XformSettings settings;
    settings.outputWidth = 2048;  // the source's size, set before the dialog
    RotationDialog dialog(settings);
    EXPECT_EQ(Edit(dialog, "rotation")->text(), "0");
    RunSteps(dialog, {{{{"rotation", "1.5"}}, "Please enter an integer.", "rotation"},
                      {{{"rotation", "-725"}}, "", nullptr}});
    EXPECT_EQ(settings.rotation, -725);
    EXPECT_EQ(settings.outputWidth, 2048u);
}

TEST_F(OffMapColorDialogTest, ReadsGreenBlueRedEachWithinItsByte) {
    OffMapColour colour{10, 20, 30};
    OffMapColorDialog dialog(colour);
    EXPECT_EQ(Edit(dialog, "red")->text(), "10");
    EXPECT_EQ(Edit(dialog, "green")->text(), "20");
    EXPECT_EQ(Edit(dialog, "blue")->text(), "30");
    const QString outside = "Please enter an integer between 0 and 255.";
    RunSteps(dialog, {{{{"red", "-1"}, {"green", "256"}, {"blue", "255"}}, outside, "green"},
                      {{{"green", "0"}, {"blue", "256"}}, outside, "blue"},
                      {{{"blue", "255"}}, outside, "red"}});
    EXPECT_EQ(colour.green, 20);
    RunSteps(dialog, {{{{"red", "0"}}, "", nullptr}});
    EXPECT_EQ(colour.red, 0);
    EXPECT_EQ(colour.green, 0);
    EXPECT_EQ(colour.blue, 255);
}

TEST_F(OffMapColorDialogTest, CancelKeepsTheColourEvenAfterEdits) {
    OffMapColour colour{10, 20, 30};
    OffMapColorDialog dialog(colour);
    dialog.show();
    Edit(dialog, "red")->setText("200");
    Edit(dialog, "blue")->setText("300");
    Click(dialog, "cancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(colour.red, 10);
    EXPECT_EQ(colour.blue, 30);
}

TEST_F(FisheyeDialogTest, TakesAnyNumbersInOrder) {
    FisheyeParams params;
    FisheyeDialog dialog(params);
    EXPECT_EQ(Edit(dialog, "horizontalFov")->text(), "146");
    EXPECT_EQ(Edit(dialog, "verticalFov")->text(), "82.125");
    EXPECT_EQ(Edit(dialog, "tilt")->text(), "20");
    RunSteps(dialog, {{{{"tilt", "up"}, {"verticalFov", "wide"}, {"horizontalFov", "0"}},
                       "Please enter a number.",
                       "verticalFov"},
                      {{{"verticalFov", "-400"}}, "Please enter a number.", "tilt"},
                      {{{"tilt", "1e3"}}, "", nullptr}});
    EXPECT_EQ(params.horizontalFov, 0);
    EXPECT_EQ(params.verticalFov, -400);
    EXPECT_EQ(params.tilt, 1000);
}

}  // namespace
