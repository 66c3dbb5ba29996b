#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <string>
#include <vector>

// Answers every message box that comes up while it lives (with the given button when the box
// has it, else Yes or OK) and keeps their texts, so commands that report through message
// boxes can run in a test.
class ModalAnswers {
  public:
    explicit ModalAnswers(QMessageBox::StandardButton preferred = QMessageBox::Yes) {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this, preferred] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.push_back(box->text().toStdString());
                QAbstractButton* button = box->button(preferred);
                if (!button) button = box->button(QMessageBox::Ok);
                if (button) {
                    button->click();
                } else {
                    box->done(QMessageBox::Ok);
                }
            }
        });
        timer.start();
    }
    std::vector<std::string> texts;

  private:
    QTimer timer;
};
