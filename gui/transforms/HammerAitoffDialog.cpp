#include "gui/transforms/HammerAitoffDialog.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>

#include "gui/dialogs/FormControls.h"

HammerAitoffDialog::HammerAitoffDialog(XformSettings& settings, QWidget* parent)
    : RecordDialog(settings, QStringLiteral("Hammer-Aitoff to Polar"), parent) {
    auto* layout = new QVBoxLayout(this);
    auto* resolution = new QGroupBox(QStringLiteral("Output resolution"), this);
    auto* size = new QFormLayout(resolution);
    square = NamedCheck("square", "square", resolution);
    width = NamedEdit("width", resolution);
    height = NamedEdit("height", resolution);
    size->addRow(square);
    size->addRow(QStringLiteral("width:"), width);
    size->addRow(QStringLiteral("height:"), height);
    layout->addWidget(resolution);
    hemisphere =
        RadioGroup({{"north hemisphere", "north"}, {"south hemisphere", "south"}, {"both", "both"}},
                   layout, this);
    layout->addWidget(OkCancelButtons(this));

    // The sizes are unsigned in the record: a negative size makes no picture, so it is
    // refused here rather than when the pictures are made.
    exchange.Unsigned(height, record.outputHeight);
    exchange.Unsigned(width, record.outputWidth);
    exchange.Radio(hemisphere, record.hemisphere);
    exchange.Check(square, record.square);
    exchange.Show();
    SquareClicked();
    // Connected once the controls hold the record, so that filling them triggers nothing.
    connect(square, &QAbstractButton::clicked, this, &HammerAitoffDialog::SquareClicked);
    connect(width, &QLineEdit::textChanged, this, &HammerAitoffDialog::WidthEdited);
}

// Ticking "square" squares the picture at once, not only at the next width typed.
void HammerAitoffDialog::SquareClicked() {
    height->setEnabled(!square->isChecked());
    WidthEdited();
}

// While the user types, a width that is not (yet) a number leaves the height alone without
// a message; OK reports it.
void HammerAitoffDialog::WidthEdited() {
    const std::optional<unsigned> value = UnsignedOfText(width->text());
    if (value && square->isChecked()) height->setText(TextOfInt(*value));
}
