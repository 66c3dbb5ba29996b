#include "gui/transforms/RotationDialog.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>

#include "gui/dialogs/FormControls.h"

RotationDialog::RotationDialog(XformSettings& settings, QWidget* parent)
    : RecordDialog(settings, QStringLiteral("Additional rotation"), parent) {
    std::vector<QLineEdit*> edits;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        EditGroup(QString(), {{"Additional CW rotation (degrees):", "rotation"}}, edits, this));
    layout->addWidget(OkCancelButtons(this));

    // Any whole number of degrees: the routines reduce it themselves.
    exchange.Int(edits[0], record.rotation);
    exchange.Show();
}
