#include "gui/app/DesktopRun.h"

#include <QApplication>
#include <QIcon>
#include <clocale>

#include "gui/app/MainFrame.h"
#include "gui/app/ModalCommandDialogs.h"
#include "gui/app/MosaApp.h"
#include "platform/QtSettingsStore.h"

int RunDesktop(int& argc, char** argv, const std::vector<std::string>& arguments,
               const std::vector<std::string>& picturesToOpen) {
    QApplication application(argc, argv);
    // Numbers in dialogs, settings and file names never take the user's decimal comma.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/mosa.png")));
    QApplication::setApplicationName(QStringLiteral("mosa"));
    QtSettingsStore store;
    QtSettingsStore recentStore("Recent File List");
    QtSettingsStore dialogStore("Dialogs");
    ModalCommandDialogs dialogs;
    CMosaApp app(arguments, store, recentStore, dialogs);
    dialogs.SetParent(&app.MainFrame());
    app.SetDialogStore(dialogStore);
    app.SetPicturesToOpen(picturesToOpen);
    return app.Run();
}
