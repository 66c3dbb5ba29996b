#include "gui/progress/ProgressWnd.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QWindow>

namespace {

constexpr int kTextWidth = 390;
constexpr int kMargin = 10;

}  // namespace

// Stands in for a modal window without taking the keyboard from the window the user is in:
// notices Esc typed into any window of the application (the key still reaches its window)
// and keeps the user's input (clicks, keys, accelerators) from the blocked window (the main
// window and the documents in it) while the job runs. Dialogs the job opens take input.
class CProgressWnd::EscapeWatcher : public QObject {
  public:
    // Blocks while the progress window is open.
    EscapeWatcher(bool& seen, QWidget* blocked, const QPointer<QWidget>& progress)
        : seen(seen), blocked(blocked), progress(progress) {}

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        const bool key = event->type() == QEvent::KeyPress;
        if (key && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            seen = true;
            return QObject::eventFilter(object, event);
        }
        if (IsUserInput(event->type()) && InBlockedWindow(object)) return true;
        return QObject::eventFilter(object, event);
    }

  private:
    static bool IsUserInput(QEvent::Type type) {
        switch (type) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
            case QEvent::ShortcutOverride:
            case QEvent::ContextMenu:
            case QEvent::Drop:
                return true;
            default:
                return false;
        }
    }
    // The widget an event's receiver belongs to: a window system window's widget, an
    // action's or shortcut's owner.
    static QWidget* WidgetOf(QObject* object) {
        if (auto* widget = qobject_cast<QWidget*>(object)) return widget;
        if (auto* window = qobject_cast<QWindow*>(object)) {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top->windowHandle() == window) return top;
            }
            return nullptr;
        }
        if (qobject_cast<QAction*>(object) || qobject_cast<QShortcut*>(object)) {
            return qobject_cast<QWidget*>(object->parent());
        }
        return nullptr;
    }
    bool InBlockedWindow(QObject* object) const {
        if (!blocked || !progress) return false;
        const QWidget* widget = WidgetOf(object);
        return widget && widget->window() == blocked;
    }

    bool& seen;
    QPointer<QWidget> blocked;
    const QPointer<QWidget>& progress;
};

// The window itself. Closing it (title bar, Alt+F4, the window manager) means Cancel: the job
// still owns the window and destroys it when it stops, and a hidden window would leave the
// job running with no way to cancel it.
class CProgressWnd::Frame : public QWidget {
  public:
    Frame(QWidget* parent, int& cancelled)
        : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
          cancelled(cancelled) {}

  protected:
    void closeEvent(QCloseEvent* event) override {
        cancelled = 1;
        event->ignore();
    }

  private:
    int& cancelled;
};

CProgressWnd::CProgressWnd(QWidget* parentWidget, std::function<bool()> stop)
    : parent(parentWidget), stopRequested(std::move(stop)) {
    escapeWatcher =
        new EscapeWatcher(escapeSeen, parent ? parent->window() : nullptr, window);
    qApp->installEventFilter(escapeWatcher);
}

CProgressWnd::~CProgressWnd() {
    qApp->removeEventFilter(escapeWatcher);
    delete escapeWatcher;
    delete window.data();
}

int CProgressWnd::Open(const std::string& title, int smooth) {
    if (window) return 1;
    window = new Frame(parent, cancelled);
    // The pump hands every event on; keeping the user's input from the main window keeps
    // the user from starting a second job inside this one. Closes that still reach the job's
    // documents or the main window are held back by the application until the job has
    // stopped. The user's window keeps the keyboard focus.
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->setWindowTitle(QString::fromStdString(title));
    window->setCursor(Qt::BusyCursor);
    textLabel = new QLabel(window);
    textLabel->setTextFormat(Qt::PlainText);
    textLabel->setWordWrap(false);
    textLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    bar = new QProgressBar(window);
    bar->setTextVisible(smooth != 0);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), window);
    QObject::connect(cancelButton, &QPushButton::clicked, [this] { cancelled = 1; });
    bar->setRange(lower, upper);
    SetTextLines(textLines, kTextWidth);
    if (parent) {
        const QPoint centre = parent->mapToGlobal(parent->rect().center());
        window->move(centre - QPoint(window->width() / 2, window->height() / 2));
    }
    window->show();
    return 1;
}

void CProgressWnd::SetTextLines(int lines, int width) {
    if (!window) return;
    textLines = lines;
    const QFontMetrics metrics(window->font());
    const int textHeight = metrics.height() * std::max(lines, 1);
    const int edge = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const QSize cancelText = metrics.size(Qt::TextSingleLine, QStringLiteral(" Cancel "));
    const int buttonWidth = cancelText.width() + 4 * edge;
    const int buttonHeight = cancelText.height() + 3 * edge;
    const QRect text(kMargin, kMargin, width, textHeight);
    const QRect button(text.right() + 1 - buttonWidth, text.bottom() + 1 + kMargin, buttonWidth,
                       buttonHeight);
    const QRect barRect(text.left(), button.top() + edge, button.left() - kMargin - text.left(),
                        buttonHeight - 2 * edge);
    window->setFixedSize(width + 2 * kMargin, textHeight + buttonHeight + 3 * kMargin);
    textLabel->setGeometry(text);
    cancelButton->setGeometry(button);
    bar->setGeometry(barRect);
}

void CProgressWnd::SetRange(int newLower, int newUpper, int newStep) {
    if (!window) return;
    lower = newLower;
    upper = newUpper;
    step = newStep;
    bar->setRange(newLower, newUpper);
}

void CProgressWnd::ShowText(const std::string& text) {
    if (!window) return;
    textLabel->setText(QString::fromStdString(text));
}

int CProgressWnd::SetPosition(int pos) {
    if (!window) return position;
    const int previous = position;
    position = pos;
    const int percent = PercentOf(pos);
    if (percent != lastPercent) {
        lastPercent = percent;
        window->setWindowTitle(QStringLiteral("%1 [%2%]").arg(caption).arg(percent));
    }
    bar->setValue(std::clamp(pos, std::min(lower, upper), std::max(lower, upper)));
    return previous;
}

void CProgressWnd::PumpMessages(int escCancels) {
    if (cancelled) return;
    escapeSeen = false;
    QApplication::processEvents(QEventLoop::AllEvents);
    if ((escCancels && escapeSeen) || (stopRequested && stopRequested())) cancelled = 1;
}

QString CProgressWnd::Caption() const {
    return window ? window->windowTitle() : QString();
}
