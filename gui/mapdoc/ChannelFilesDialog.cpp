#include "gui/mapdoc/ChannelFilesDialog.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/dialogs/FormControls.h"

namespace {

// A view's label, edit and "..." on one row of the grid. A chosen frame file always goes in
// as the name of its sequence: the job scans for the other frames.
QLineEdit* AddViewRow(QGridLayout* grid, const QString& label, const QString& name,
                      QWidget* parent) {
    const int row = grid->rowCount();
    QLineEdit* edit = PathEdit(name, parent);
    grid->addWidget(new QLabel(label, parent), row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(ViewFileButton(
                        edit, [] { return true; }, parent),
                    row, 2);
    return edit;
}

}  // namespace

ChannelFilesDialog::ChannelFilesDialog(ChannelFiles& files, QWidget* parent)
    : RecordDialog(files, QStringLiteral("Channel Source Files"), parent) {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    QLineEdit* center = AddViewRow(grid, "Center:", "center", this);
    QLineEdit* left = AddViewRow(grid, "Left:", "left", this);
    QLineEdit* right = AddViewRow(grid, "Right:", "right", this);
    QLineEdit* top = AddViewRow(grid, "Top:", "top", this);
    QLineEdit* output = NamedEdit("output", this);
    output->setReadOnly(true);
    grid->addWidget(new QLabel(QStringLiteral("Output:"), this), grid->rowCount(), 0);
    grid->addWidget(output, grid->rowCount() - 1, 1);
    auto* types = new QGroupBox(this);
    auto* typeRow = new QHBoxLayout(types);
    QButtonGroup* typeGroup =
        RadioGroup({{"JPEG", "jpeg"}, {"BMP", "bmp"}, {"TGA", "tga"}}, typeRow, types);
    layout->addWidget(types);
    layout->addWidget(OkCancelButtons(this));

    exchange.Text(center, record.center);
    exchange.Text(left, record.left);
    exchange.Text(right, record.right);
    exchange.Text(top, record.top);
    exchange.Text(output, record.outputBaseName);
    exchange.Radio(typeGroup, record.outputType);
    exchange.Show();
}
