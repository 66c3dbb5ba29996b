#pragma once

#include <gtest/gtest.h>

#include <QSettings>

#include "settings/SettingsStore.h"
#include "support/TempDir.h"
#include "support/gui/ScriptedDialogs.h"

// A suite of the desktop application: a temporary directory, the desktop's settings store
// redirected into it (so no test touches the user's), in-memory stores for the settings and
// the recent-file list, and scripted dialogs. An application is made over them with
// `CMosaApp app(arguments, store, recentStore, dialogs)`.
class DesktopTest : public testing::Test {
  protected:
    DesktopTest() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(dir.File("config")));
    }

    TempDir dir;
    MemorySettingsStore store;
    MemorySettingsStore recentStore;
    ScriptedDialogs dialogs;
};
