#include <QTest>

#include "gui/transforms/AmbivuePolarDialog.h"
#include "support/gui/DialogDriver.h"

namespace {

class AmbivuePolarDialogTest : public DialogTest {
  protected:
    std::unique_ptr<AmbivuePolarDialog> Open(int outputIsPolar) {
        settings.outputIsPolar = outputIsPolar;
        return std::make_unique<AmbivuePolarDialog>(settings);
    }

    XformSettings settings;
};

TEST_F(AmbivuePolarDialogTest, OpensOnTheDefaultsWithTheLockOfItsOutputApplied) {
    auto polar = Open(1);
    EXPECT_EQ(Control<QAbstractButton>(*polar, "lockAspect")->text(), "==");
    EXPECT_TRUE(Control<QAbstractButton>(*polar, "lockAspect")->isChecked());
    EXPECT_FALSE(Edit(*polar, "height")->isEnabled());
    for (const auto& [name, text] : {std::pair{"azimuthFrom", "-100"},
                                     {"azimuthTo", "100"},
                                     {"elevationFrom", "0"},
                                     {"elevationTo", "60"},
                                     {"width", "512"},
                                     {"height", "512"},
                                     {"polarSpan", "90"},
                                     {"clockwiseRotation", "0"}}) {
        EXPECT_EQ(Edit(*polar, name)->text(), text) << name;
    }

    auto ambivue = Open(0);
    EXPECT_EQ(Control<QAbstractButton>(*ambivue, "lockAspect")->text(), "10:3");
    EXPECT_EQ(Edit(*ambivue, "height")->text(), "153");
    EXPECT_EQ(PressOk(*ambivue), "");
    EXPECT_EQ(settings.outputHeight, 153u);
    EXPECT_EQ(settings.outputWidth, 512u);
}

TEST_F(AmbivuePolarDialogTest, LockedHeightFollowsTheWidthAsItIsTyped) {
    auto dialog = Open(0);
    QLineEdit* width = Edit(*dialog, "width");
    QLineEdit* height = Edit(*dialog, "height");
    width->clear();  // no number yet: no message (see DialogTest), height kept
    EXPECT_EQ(height->text(), "153");
    QTest::keyClicks(width, "1000");
    EXPECT_EQ(height->text(), "300");
    width->setText("4294967295");  // the product does not wrap
    EXPECT_EQ(height->text(), "1288490188");

    Click(*dialog, "lockAspect");
    EXPECT_TRUE(height->isEnabled());
    width->setText("640");
    height->setText("480");
    width->setText("800");
    EXPECT_EQ(height->text(), "480");
    Click(*dialog, "lockAspect");
    EXPECT_FALSE(height->isEnabled());
    EXPECT_EQ(height->text(), "240");

    auto polar = Open(1);
    Edit(*polar, "width")->setText("1000");
    EXPECT_EQ(Edit(*polar, "height")->text(), "1000");
}

TEST_F(AmbivuePolarDialogTest, OkRefusesInReadingOrderAndWritesOnlyWhenAllPass) {
    auto dialog = Open(1);
    Click(*dialog, "lockAspect");
    RunSteps(*dialog,
             {{{{"clockwiseRotation", "1.5"},
                {"polarSpan", "4"},
                {"width", "-1"},
                {"height", "tall"},
                {"elevationFrom", "e"},
                {"azimuthFrom", "a"},
                {"elevationTo", "e"},
                {"azimuthTo", "a"}},
               "Please enter a number.",
               "azimuthTo"},
              {{{"azimuthTo", "120"}}, "Please enter a number.", "elevationTo"},
              {{{"elevationTo", "45.5"}}, "Please enter a number.", "azimuthFrom"},
              {{{"azimuthFrom", "-120"}}, "Please enter a number.", "elevationFrom"},
              {{{"elevationFrom", "10"}}, "Please enter a positive integer.", "height"},
              {{{"height", "400"}}, "Please enter a positive integer.", "width"},
              {{{"width", "800"}}, "Please enter an integer between 5 and 90.", "polarSpan"},
              {{{"polarSpan", "91"}}, "Please enter an integer between 5 and 90.", "polarSpan"},
              {{{"polarSpan", "5"}}, "Please enter an integer.", "clockwiseRotation"}});
    EXPECT_EQ(settings.azimuthTo, 100);
    EXPECT_EQ(settings.polarSpan, 90u);

    RunSteps(*dialog, {{{{"clockwiseRotation", "-30"}}, "", nullptr}});
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(settings.lockAspect, 0);
    EXPECT_EQ(settings.azimuthTo, 120);
    EXPECT_EQ(settings.elevationTo, 45.5);
    EXPECT_EQ(settings.azimuthFrom, -120);
    EXPECT_EQ(settings.elevationFrom, 10);
    EXPECT_EQ(settings.outputHeight, 400u);
    EXPECT_EQ(settings.outputWidth, 800u);
    EXPECT_EQ(settings.polarSpan, 5u);
    EXPECT_EQ(settings.clockwiseRotation, -30);
}

}  // namespace
