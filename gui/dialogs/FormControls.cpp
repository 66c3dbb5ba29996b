#include "gui/dialogs/FormControls.h"

#include <QDialog>
#include <QFont>
#include <QFontMetrics>
#include <algorithm>

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/widgets/ImageFileDialog.h"
#include "sequence/NumberedName.h"

QLineEdit* NamedEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QLineEdit* PathEdit(const QString& name, QWidget* parent) {
    QLineEdit* edit = NamedEdit(name, parent);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 72);
    return edit;
}

void KeepTitleWhole(QDialog& dialog) {
    // Title bars use a bolder, larger face than the dialog, and leave room for their buttons.
    QFont titleFont = dialog.font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.1);
    const int wanted = QFontMetrics(titleFont).horizontalAdvance(dialog.windowTitle()) + 120;
    dialog.setMinimumWidth(std::max(dialog.minimumWidth(), wanted));
}

QPushButton* NamedButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* NamedCheck(const QString& text, const QString& name, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

QGroupBox* EditGroup(const QString& title, std::initializer_list<LabelledEdit> labelled,
                     std::vector<QLineEdit*>& edits, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* form = new QFormLayout(group);
    for (const LabelledEdit& item : labelled) {
        edits.push_back(NamedEdit(item.name, group));
        form->addRow(item.label, edits.back());
    }
    return group;
}

QButtonGroup* RadioGroup(std::initializer_list<RadioChoice> choices, QBoxLayout* layout,
                         QWidget* parent) {
    auto* group = new QButtonGroup(parent);
    int id = 0;
    for (const RadioChoice& choice : choices) {
        auto* button = new QRadioButton(choice.text, parent);
        button->setObjectName(choice.name);
        group->addButton(button, id++);
        layout->addWidget(button);
    }
    return group;
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QPushButton* ViewFileButton(QLineEdit* edit, std::function<bool()> asSequence, QWidget* parent) {
    QPushButton* button = NamedButton(QStringLiteral("..."), edit->objectName() + "Browse", parent);
    QObject::connect(button, &QPushButton::clicked, parent, [edit, asSequence, parent] {
        std::string name = edit->text().toStdString();
        int type = -1;
        if (!ImageFileDialog(parent, name, FileDialogMode::kOpen, type)) return;
        edit->setText(QString::fromStdString(asSequence() ? SequenceNameOf(name) : name));
    });
    return button;
}
