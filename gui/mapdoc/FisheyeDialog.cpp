#include "gui/mapdoc/FisheyeDialog.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "gui/dialogs/FormControls.h"

FisheyeDialog::FisheyeDialog(FisheyeParams& params, QWidget* parent)
    : RecordDialog(params, QStringLiteral("Fisheye parameters"), parent) {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this));

    auto addAngle = [this, grid](const QString& label, const QString& name, double& field) {
        const int row = grid->rowCount();
        QLineEdit* edit = NamedEdit(name, this);
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("degrees"), this), row, 2);
        // The mapper copes with any value, a field of view of 0 included.
        exchange.Number(edit, field);
    };
    addAngle("Horizontal field of view", "horizontalFov", record.horizontalFov);
    addAngle("Vertical field of view", "verticalFov", record.verticalFov);
    addAngle("Tilt above horizon", "tilt", record.tilt);
    exchange.Show();
}
