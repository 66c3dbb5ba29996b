#pragma once

#include <QObject>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "gui/app/JobControl.h"
#include "ports/Documents.h"
#include "settings/AppSettings.h"
#include "settings/RecentFiles.h"

class CMainFrame;
class CommandDialogs;
class CDocument;
class DocumentWindows;
class GuiMessages;
class TransformCommands;
class SettingsStore;

// The desktop application: loads the settings, makes the main window and its document area,
// wires every menu command to its job, and either lets the user work or runs the batch job
// of the command line; the settings are stored again at the end.
class CMosaApp : public QObject {
    Q_OBJECT
  public:
    // The recent-file list has a store of its own: it is a section apart from the settings.
    CMosaApp(std::vector<std::string> arguments, SettingsStore& store, SettingsStore& recentStore,
             CommandDialogs& dialogs);
    ~CMosaApp() override;

    // A batch run when an argument other than an option is given.
    bool IsBatchRun() const;
    // Shows the main window and runs: the event loop for an interactive run, the command
    // line's job for a batch run. Answers the exit status (0 when the run succeeded).
    int Run();
    // Pictures an interactive run opens in windows once the main window shows.
    void SetPicturesToOpen(std::vector<std::string> paths) { picturesToOpen = std::move(paths); }
    // Opens each picture in a window and lists it among the recent files; one that does
    // not load gets the reader's message.
    void OpenPictures(const std::vector<std::string>& paths);
    CommandLineResult RunBatch();
    void StoreSettings();
    // The store of what the job dialogs remember (see DialogMemory.h); without one, they
    // remember for the session only.
    void SetDialogStore(SettingsStore& store);

    CMainFrame& MainFrame() const { return *mainFrame; }
    DocumentWindows& Windows() const { return *windows; }
    AppSettings& Settings() { return settings; }
    JobPorts& Ports() { return *ports; }
    JobControl& Jobs() { return jobs; }

    void OnFourViewPan();
    void OnFiveViewPolar();
    void OnNewMap();
    void OnFileNew();
    void OnOpenImage();
    void OnAddFlat();
    void OnSave();
    void OnSaveAs();
    void OnClose();
    void OnDomeView();
    void OnMapFisheye();
    TransformCommands& Transforms() const { return *transforms; }
    void OnAbout();

  private:
    void WireCommands();
    void RefreshMenus();
    void AddRecentFile(const std::string& path);
    void ShowRecentFiles();
    // Writes the document under the path, telling the user when that fails.
    bool WriteDocument(CDocument& document, const std::string& path);
    bool SaveDocumentAs(CDocument& document);
    // Under its own path, or as a new file when it has none.
    bool SaveDocument(CDocument& document);
    bool ConfirmClose(CDocument& document);
    // The main window may close: no job runs (one that does is stopped first, and the close
    // comes again after it) and every document agreed to close.
    bool ConfirmQuit();

    std::vector<std::string> arguments;
    SettingsStore& store;
    SettingsStore& recentStore;
    CommandDialogs& dialogs;
    AppSettings settings;
    JobControl jobs;
    std::unique_ptr<CMainFrame> mainFrame;
    std::unique_ptr<GuiMessages> messages;
    std::unique_ptr<DocumentWindows> windows;
    std::unique_ptr<JobPorts> ports;
    std::unique_ptr<TransformCommands> transforms;
    RecentFiles recentFiles;
    std::vector<std::string> picturesToOpen;
    MemorySettingsStore sessionDialogStore;
    SettingsStore* dialogStore = &sessionDialogStore;
};
