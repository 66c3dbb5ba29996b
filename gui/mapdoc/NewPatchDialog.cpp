#include "gui/mapdoc/NewPatchDialog.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>

#include "gui/dialogs/FormControls.h"

NewPatchDialog::NewPatchDialog(PatchParameters& parameters, QWidget* parent)
    : RecordDialog(parameters, QStringLiteral("New Patch parameters"), parent) {
    std::vector<QLineEdit*> edits;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(EditGroup("Camera axis (degrees)",
                                {{"azimuth:", "azimuth"}, {"elevation:", "elevation"}}, edits,
                                this));
    layout->addWidget(EditGroup("Field of view (degrees)",
                                {{"horizontal:", "horizontal"}, {"vertical:", "vertical"}}, edits,
                                this));
    layout->addWidget(EditGroup(QString(), {{"roll:", "roll"}}, edits, this));
    layout->addWidget(OkCancelButtons(this));

    exchange.Number(edits[0], record.azimuth, kPatchAzimuths.low, kPatchAzimuths.high);
    exchange.Number(edits[1], record.elevation, kPatchElevations.low, kPatchElevations.high);
    exchange.Number(edits[2], record.horizontal, kPatchFieldsOfView.low, kPatchFieldsOfView.high);
    exchange.Number(edits[3], record.vertical, kPatchFieldsOfView.low, kPatchFieldsOfView.high);
    exchange.Number(edits[4], record.roll, kPatchRolls.low, kPatchRolls.high);
    exchange.Show();
}
