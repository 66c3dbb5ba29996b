#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <string>
#include <vector>

// Answers every message box that comes up while it lives (with its default button) and keeps
// their texts, so commands that report through message boxes can run in a test.
class ModalAnswers {
  public:
    ModalAnswers() {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.push_back(box->text().toStdString());
                box->done(box->standardButtons() & QMessageBox::Yes ? QMessageBox::Yes
                                                                    : QMessageBox::Ok);
            }
        });
        timer.start();
    }
    std::vector<std::string> texts;

  private:
    QTimer timer;
};
