#pragma once

// Helpers of the dialog tests: answering warning boxes, reaching controls by name, pressing OK
// step by step, scripting the file chooser.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <ostream>
#include <utility>
#include <vector>

#include "gui/widgets/ImageFileDialog.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// While it lives, every warning box that opens is answered with OK and its text kept. Where
// catchers nest, the newest one answers.
class WarningCatcher {
  public:
    WarningCatcher() {
        Live().push_back(this);
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || Live().back() != this) return;
            texts << box->text();
            box->accept();
        });
        timer.start();
    }
    ~WarningCatcher() { std::erase(Live(), this); }

    QStringList texts;

  private:
    static std::vector<WarningCatcher*>& Live() {
        static std::vector<WarningCatcher*> live;
        return live;
    }

    QTimer timer;
};

// Dialog tests: a warning that no step of the test expects fails the test instead of
// waiting for an answer forever.
class DialogTest : public testing::Test {
  protected:
    void TearDown() override { EXPECT_EQ(unexpected.texts, QStringList()); }

    WarningCatcher unexpected;
};

template <typename T = QWidget>
T* Control(const QWidget& dialog, const char* name) {
    T* control = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!control) ADD_FAILURE() << "no control named " << name;
    return control;
}

inline QLineEdit* Edit(const QWidget& dialog, const char* name) {
    return Control<QLineEdit>(dialog, name);
}

inline void Click(const QWidget& dialog, const char* name) {
    Control<QAbstractButton>(dialog, name)->click();
}

// Presses OK and answers the warning it may raise: the warning's text, empty without one.
inline QString PressOk(QDialog& dialog) {
    WarningCatcher catcher;
    Click(dialog, "ok");
    EXPECT_LE(catcher.texts.size(), 1);
    return catcher.texts.value(0);
}

// One OK of a dialog: sets the edits, presses OK and expects the warning (empty: none) and
// where the focus went (null: not checked).
struct Step {
    std::vector<std::pair<const char*, const char*>> edits;
    QString warning;
    const char* focused;
};

inline void RunSteps(QDialog& dialog, const std::vector<Step>& steps) {
    dialog.show();
    for (const Step& step : steps) {
        for (const auto& [name, text] : step.edits) Edit(dialog, name)->setText(text);
        EXPECT_EQ(PressOk(dialog), step.warning);
        if (step.focused) {
            EXPECT_EQ(dialog.focusWidget(), Control(dialog, step.focused)) << step.focused;
            EXPECT_TRUE(dialog.isVisible());
        }
    }
}

// The file chooser for one test: keeps the requests and answers with the scripted answer.
class ScriptedFileChooser {
  public:
    explicit ScriptedFileChooser(FileChooserAnswer answer = {}) : answer(std::move(answer)) {
        previous = SetFileChooser([this](QWidget*, const FileChooserRequest& request) {
            requests.push_back(request);
            return this->answer;
        });
    }
    ~ScriptedFileChooser() { SetFileChooser(std::move(previous)); }

    FileChooserAnswer answer;
    std::vector<FileChooserRequest> requests;

  private:
    FileChooser previous;
};

inline FileChooserAnswer Chosen(const QString& path, int filter = 1) {
    return FileChooserAnswer{true, path, filter};
}
