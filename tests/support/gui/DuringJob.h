#pragma once

#include <QApplication>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>
#include <functional>

// Does something once while a job runs: on the given pass of the job's event pump, counted
// from when its progress window shows, so that the job is well under way when it happens.
class DuringJob {
  public:
    DuringJob(int pass, std::function<void()> action) {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this, pass, action = std::move(action)] {
            if (!ProgressWindow() || ++passes < pass) return;
            timer.stop();
            done = true;
            action();
        });
        timer.start();
    }
    bool Done() const { return done; }

    // The visible progress window, if one is up.
    static QWidget* ProgressWindow() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->findChild<QProgressBar*>()) return widget;
        }
        return nullptr;
    }

  private:
    QTimer timer;
    int passes = 0;
    bool done = false;
};
