#pragma once

#include <QMdiArea>
#include <memory>

#include "gui/app/MainFrame.h"
#include "gui/app/MosaApp.h"
#include "support/gui/DesktopTest.h"

// A desktop suite with the application made and its main window shown.
class RunningDesktop : public DesktopTest {
  protected:
    void SetUp() override {
        app = std::make_unique<CMosaApp>(std::vector<std::string>{"mosa"}, store, recentStore,
                                         dialogs);
        app->MainFrame().resize(1200, 900);
        app->MainFrame().show();
    }
    QMdiArea& Area() const { return app->MainFrame().Area(); }

    std::unique_ptr<CMosaApp> app;
};
