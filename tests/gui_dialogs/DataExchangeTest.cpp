#include <QButtonGroup>
#include <QLocale>
#include <QRadioButton>

#include "gui/dialogs/DataExchange.h"
#include "support/gui/DialogDriver.h"

namespace {

TEST(DataExchangeText, NumbersReadWithBlanksAroundButNothingElse) {
    EXPECT_EQ(IntOfText(" 12 "), 12);
    EXPECT_EQ(IntOfText("+7"), 7);
    EXPECT_EQ(IntOfText("-3"), -3);
    for (const char* text : {"", " ", "1.5", "12a", "1e3", "++1", "- 1", "99999999999"}) {
        EXPECT_FALSE(IntOfText(text)) << text;
    }
    EXPECT_EQ(UnsignedOfText("0"), 0u);
    EXPECT_FALSE(UnsignedOfText("-1"));

    EXPECT_EQ(NumberOfText(" 212.58"), 212.58);
    EXPECT_EQ(NumberOfText("-.5"), -0.5);
    EXPECT_EQ(NumberOfText("1e2"), 100.0);
    for (const char* text : {"", "212,58", "abc", "nan", "inf", "1.5x", "0x10"}) {
        EXPECT_FALSE(NumberOfText(text)) << text;
    }
}

TEST(DataExchangeText, NumbersShowWithoutTrailingZerosWhateverTheLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(TextOfNumber(212.58), "212.58");
    EXPECT_EQ(TextOfNumber(180), "180");
    EXPECT_EQ(TextOfNumber(-0.25), "-0.25");
    EXPECT_EQ(TextOfInt(-4096), "-4096");
    QLocale::setDefault(QLocale::c());
}

// A record of one of each kind of numeric field, bound in the order declared.
struct Fields {
    int count = 5;
    unsigned size = 6;
    double angle = 7.5;
    double scale = 1;
    int choice = -1;
};

class DataExchangeDialog : public DialogTest {
  protected:
    DataExchangeDialog() : exchange(&dialog) {
        for (QLineEdit*& edit : edits) edit = new QLineEdit(&dialog);
        for (int id = 0; id < 2; ++id) group.addButton(new QRadioButton(&dialog), id);
        exchange.Int(edits[0], fields.count, 1, 4096);
        exchange.Unsigned(edits[1], fields.size);
        exchange.Number(edits[2], fields.angle, -180, 180);
        exchange.Number(edits[3], fields.scale, 0.5, 2.25);
        exchange.Radio(&group, fields.choice);
        exchange.Show();
        dialog.show();
    }

    // Reads the controls back, answering the warning: its text, empty when the read passed.
    QString Read() {
        WarningCatcher catcher;
        const bool passed = exchange.Read();
        EXPECT_EQ(passed, catcher.texts.isEmpty());
        return catcher.texts.value(0);
    }

    QDialog dialog;
    QLineEdit* edits[4];
    QButtonGroup group;
    Fields fields;
    DataExchange exchange;
};

TEST_F(DataExchangeDialog, EachKindOfFieldHasItsMessage) {
    const std::vector<std::pair<int, const char*>> cases = {{0, "x"},     {0, "0"},     {1, "-2"},
                                                            {2, "north"}, {2, "180.5"}, {3, "2.5"}};
    const QStringList expected = {"Please enter an integer.",
                                  "Please enter an integer between 1 and 4096.",
                                  "Please enter a positive integer.",
                                  "Please enter a number.",
                                  "Please enter a number between -180 and 180.",
                                  "Please enter a number between 0.5 and 2.25."};
    for (size_t i = 0; i < cases.size(); ++i) {
        exchange.Show();
        edits[cases[i].first]->setText(cases[i].second);
        EXPECT_EQ(Read(), expected[i]) << cases[i].second;
    }
}

TEST_F(DataExchangeDialog, FirstFailureInBindingOrderIsReportedFocusedAndSelected) {
    edits[0]->setText("4096");
    edits[1]->setText("bad");
    edits[2]->setText("bad");
    group.button(1)->setChecked(true);
    EXPECT_EQ(Read(), "Please enter a positive integer.");
    EXPECT_EQ(dialog.focusWidget(), edits[1]);
    EXPECT_EQ(edits[1]->selectedText(), "bad");
    EXPECT_EQ(fields.count, 4096);  // taken before the failure
    EXPECT_EQ(fields.choice, -1);   // not reached

    edits[1]->setText("8");
    EXPECT_EQ(Read(), "Please enter a number.");
    EXPECT_EQ(dialog.focusWidget(), edits[2]);
}

TEST_F(DataExchangeDialog, DisabledControlNeverBlocksAndKeepsItsField) {
    edits[2]->setText("bad");
    edits[2]->setEnabled(false);
    edits[3]->setText("2");
    EXPECT_EQ(Read(), "");
    EXPECT_EQ(fields.angle, 7.5);
    EXPECT_EQ(fields.scale, 2);
}

}  // namespace
