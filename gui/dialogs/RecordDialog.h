#pragma once

#include <QDialog>

#include "gui/dialogs/DataExchange.h"
#include "gui/dialogs/FormControls.h"

// A modal dialog that edits a copy of its record: the subclass builds the controls, binds
// them to `record` and calls Show(); OK takes the controls back and hands the copy to the
// caller's record only when every field was valid, otherwise the dialog stays open.
template <typename Record>
class RecordDialog : public QDialog {
  public:
    RecordDialog(Record& target, const QString& title, QWidget* parent)
        : QDialog(parent), target(target), record(target), exchange(this) {
        setWindowTitle(title);
    }

    void accept() override {
        if (!exchange.Read()) return;
        target = record;
        QDialog::accept();
    }

  protected:
    void showEvent(QShowEvent* event) override {
        KeepTitleWhole(*this);
        QDialog::showEvent(event);
    }

    Record& target;
    Record record;
    DataExchange exchange;
};
