#pragma once

#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

class QAbstractButton;
class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

// Controls of the parameter dialogs, each with an object name so that the dialog's code and
// its tests reach it by name.
QLineEdit* NamedEdit(const QString& name, QWidget* parent);
// A named edit for a file's path, wide enough to show a real one.
QLineEdit* PathEdit(const QString& name, QWidget* parent);
// Widens a dialog, if it must, so that its title bar shows the whole title.
void KeepTitleWhole(QDialog& dialog);
QPushButton* NamedButton(const QString& text, const QString& name, QWidget* parent);
QCheckBox* NamedCheck(const QString& text, const QString& name, QWidget* parent);

struct RadioChoice {
    QString text;
    QString name;
};

struct LabelledEdit {
    QString label;
    QString name;
};

// A titled group of edits, each after its label; the edits are appended to edits in order.
QGroupBox* EditGroup(const QString& title, std::initializer_list<LabelledEdit> labelled,
                     std::vector<QLineEdit*>& edits, QWidget* parent);

// Radio buttons with the ids 0, 1, ... in the order given, added to layout.
QButtonGroup* RadioGroup(std::initializer_list<RadioChoice> choices, QBoxLayout* layout,
                         QWidget* parent);

// "OK" (named "ok") runs the dialog's accept(), "Cancel" (named "cancel") its reject().
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

// The "..." beside a view's file edit: asks for an existing image file and puts the chosen
// path into the edit, as the name of its numbered sequence when asSequence() says so. The
// button is named after the edit with "Browse" appended.
QPushButton* ViewFileButton(QLineEdit* edit, std::function<bool()> asSequence, QWidget* parent);
