#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "ports/Progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of a long job: a caption with the percentage, a line of text, a bar and
// "Cancel". Its pump keeps the whole application responsive while the job runs on the
// interface thread; Esc typed into any window of the application, "Cancel", closing the
// window, or a stop asked for from outside (stopRequested answering true) requests cancel,
// which the job sees after pumping. It opens without taking the keyboard focus, and while it
// is open the parent's window takes no clicks, keys or accelerators.
class CProgressWnd : public Progress {
  public:
    explicit CProgressWnd(QWidget* parent = nullptr, std::function<bool()> stopRequested = {});
    ~CProgressWnd() override;

    int Open(const std::string& title, int smooth) override;
    void SetRange(int lower, int upper, int step) override;
    void SetTextLines(int lines, int width) override;
    int SetPosition(int pos) override;
    void PumpMessages(int escCancels) override;

    QWidget* Window() const { return window; }
    QString Caption() const;

  protected:
    void ShowText(const std::string& text) override;

  private:
    class EscapeWatcher;
    class Frame;

    QWidget* parent;
    std::function<bool()> stopRequested;
    QPointer<QWidget> window;
    QLabel* textLabel = nullptr;
    QProgressBar* bar = nullptr;
    QPushButton* cancelButton = nullptr;
    int textLines = 4;
    EscapeWatcher* escapeWatcher = nullptr;
    bool escapeSeen = false;
    const QString caption = QStringLiteral("Progress");
};
