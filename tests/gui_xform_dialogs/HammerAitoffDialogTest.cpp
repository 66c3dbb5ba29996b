#include <QTest>

#include "gui/transforms/HammerAitoffDialog.h"
#include "support/gui/DialogDriver.h"

namespace {

class HammerAitoffDialogTest : public DialogTest {
  protected:
    XformSettings settings;
    HammerAitoffDialog dialog{settings};
};

TEST_F(HammerAitoffDialogTest, SquareHeightFollowsTheWidthUntilUnticked) {
    QLineEdit* width = Edit(dialog, "width");
    QLineEdit* height = Edit(dialog, "height");
    EXPECT_TRUE(Control<QAbstractButton>(dialog, "both")->isChecked());
    EXPECT_TRUE(Control<QAbstractButton>(dialog, "square")->isChecked());
    EXPECT_EQ(height->text(), "512");
    EXPECT_FALSE(height->isEnabled());
    width->clear();
    QTest::keyClicks(width, "7x");  // no number yet: no message (see DialogTest), height kept
    EXPECT_EQ(height->text(), "7");

    Click(dialog, "square");
    EXPECT_TRUE(height->isEnabled());
    width->setText("1024");
    EXPECT_EQ(height->text(), "7");
    Click(dialog, "square");
    EXPECT_EQ(height->text(), "1024");
}

TEST_F(HammerAitoffDialogTest, OkReadsHeightBeforeWidthAndWritesTheChoice) {
    Click(dialog, "square");
    RunSteps(dialog,
             {{{{"width", "wide"}, {"height", "-5"}}, "Please enter a positive integer.", "height"},
              {{{"height", "300"}}, "Please enter a positive integer.", "width"}});
    EXPECT_EQ(settings.outputHeight, 512u);
    Edit(dialog, "width")->setText("600");
    Click(dialog, "south");
    EXPECT_EQ(PressOk(dialog), "");
    EXPECT_EQ(settings.outputHeight, 300u);
    EXPECT_EQ(settings.outputWidth, 600u);
    EXPECT_EQ(settings.hemisphere, kSouthHemisphere);
    EXPECT_EQ(settings.square, 0);
}

}  // namespace
