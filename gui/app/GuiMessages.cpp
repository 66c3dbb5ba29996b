#include "gui/app/GuiMessages.h"

#include <QMessageBox>
#include <QRegularExpression>

namespace {

// A line break followed by tabs continues the line in a terminal's layout; a message box
// wraps its own lines, so the words run on.
QString Laid(const std::string& text) {
    QString laid = QString::fromStdString(text);
    laid.replace(QRegularExpression(QStringLiteral(" *\n\t+")), QStringLiteral(" "));
    return laid;
}

}  // namespace

MessageAnswer GuiMessages::Show(const std::string& text, MessageButtons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("mosa"));
    box.setText(Laid(text));
    switch (buttons) {
        case MessageButtons::kOk:
            box.setIcon(QMessageBox::Information);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::kOkCancel:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::kYesNo:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::kYes;
        case QMessageBox::No:
            return MessageAnswer::kNo;
        case QMessageBox::Cancel:
            return MessageAnswer::kCancel;
        default:
            return buttons == MessageButtons::kYesNo ? MessageAnswer::kNo : MessageAnswer::kOk;
    }
}
