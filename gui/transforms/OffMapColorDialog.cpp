#include "gui/transforms/OffMapColorDialog.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>

#include "gui/dialogs/FormControls.h"

OffMapColorDialog::OffMapColorDialog(OffMapColour& colour, QWidget* parent)
    : RecordDialog(colour, QStringLiteral("Off Map color . . ."), parent) {
    std::vector<QLineEdit*> edits;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(EditGroup(
        QString(), {{"Red:", "red"}, {"Green:", "green"}, {"Blue:", "blue"}}, edits, this));
    layout->addWidget(OkCancelButtons(this));

    // Shown red, green, blue but read green, blue, red: that order decides which bad value
    // is reported first.
    exchange.Int(edits[1], record.green, 0, 255);
    exchange.Int(edits[2], record.blue, 0, 255);
    exchange.Int(edits[0], record.red, 0, 255);
    exchange.Show();
}
