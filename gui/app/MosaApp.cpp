#include "gui/app/MosaApp.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>

#include "document/ImageDoc.h"
#include "document/PictureLoad.h"
#include "fiveview/FiveViewJob.h"
#include "gui/app/AboutDialog.h"
#include "gui/app/CommandDialogs.h"
#include "gui/app/CommandIds.h"
#include "gui/app/DialogMemory.h"
#include "gui/app/DocumentWindows.h"
#include "gui/app/GuiMessages.h"
#include "gui/app/GuiResources.h"
#include "gui/app/MainFrame.h"
#include "gui/app/TransformCommands.h"
#include "gui/mapdoc/MosaView.h"
#include "gui/mapdoc/NewPatchDialog.h"
#include "gui/progress/ProgressWnd.h"
#include "gui/widgets/ImageFileDialog.h"
#include "mapdoc/FourViewPan.h"
#include "util/PathParts.h"
#include "util/RenderThreads.h"

namespace {

constexpr const char* kPictureFolderKey = "PictureFolder";

}  // namespace

CMosaApp::CMosaApp(std::vector<std::string> args, SettingsStore& settingsStore,
                   SettingsStore& recentFileStore, CommandDialogs& commandDialogs)
    : arguments(std::move(args)),
      store(settingsStore),
      recentStore(recentFileStore),
      dialogs(commandDialogs) {
    LoadGuiResources();
    LoadSettings(settings, store);
    SetRenderThreads(settings.renderThreads);
    mainFrame = std::make_unique<CMainFrame>();
    messages = std::make_unique<GuiMessages>(mainFrame.get());
    windows = std::make_unique<DocumentWindows>(mainFrame->Area(), *messages, dialogs, jobs);
    windows->SetCloseCheck([this](CDocument& document) { return ConfirmClose(document); });
    mainFrame->SetCloseCheck([this] { return ConfirmQuit(); });
    CMainFrame* frame = mainFrame.get();
    ports = std::make_unique<JobPorts>(
        JobPorts{*messages, *windows, [frame, this] {
                     return std::unique_ptr<Progress>(std::make_unique<CProgressWnd>(
                         frame, [this] { return jobs.CancelRequested(); }));
                 }});
    transforms = std::make_unique<TransformCommands>(dialogs, *ports, settings, jobs);
    transforms->SetPictureOpened([this](const std::string& path) { AddRecentFile(path); });
    recentFiles.Load(recentStore);
    ShowRecentFiles();
    WireCommands();
    connect(&mainFrame->Area(), &QMdiArea::subWindowActivated, this, &CMosaApp::RefreshMenus);
    connect(windows.get(), &DocumentWindows::documentsChanged, this, &CMosaApp::RefreshMenus);
    connect(mainFrame.get(), &CMainFrame::picturesDropped, this, [this](const QStringList& paths) {
        std::vector<std::string> files;
        for (const QString& path : paths) files.push_back(path.toStdString());
        OpenPictures(files);
    });
    connect(mainFrame.get(), &CMainFrame::recentFileChosen, this, [this](const QString& path) {
        if (windows->OpenImage(path.toStdString(), kTypeFromExtension))
            AddRecentFile(path.toStdString());
    });
    RefreshMenus();
}

CMosaApp::~CMosaApp() {
    transforms.reset();
    // Closing the windows below must not call back into a half-destroyed application.
    mainFrame->Area().disconnect(this);
    windows->disconnect(this);
    windows.reset();
}

void CMosaApp::WireCommands() {
    CMainFrame& frame = *mainFrame;
    QMdiArea& area = frame.Area();
    frame.SetHandler(kCmdFourViewPan, [this] { OnFourViewPan(); });
    frame.SetHandler(kCmdFiveViewPolar, [this] { OnFiveViewPolar(); });
    frame.SetHandler(kCmdNewMap, [this] { OnNewMap(); });
    frame.SetHandler(kCmdFileNew, [this] { OnFileNew(); });
    frame.SetHandler(kCmdOpen, [this] { OnOpenImage(); });
    frame.SetHandler(kCmdAddFlat, [this] { OnAddFlat(); });
    frame.SetHandler(kCmdSave, [this] { OnSave(); });
    frame.SetHandler(kCmdSaveAs, [this] { OnSaveAs(); });
    frame.SetHandler(kCmdClose, [this] { OnClose(); });
    frame.SetHandler(kCmdExit, [&frame] { frame.close(); });
    frame.SetHandler(kCmdAbout, [this] { OnAbout(); });
    frame.SetHandler(kCmdStatusBar, [] {});
    frame.SetHandler(kCmdNewWindow, [this] { windows->NewWindow(); });
    frame.SetHandler(kCmdDomeView, [this] { OnDomeView(); });
    frame.SetHandler(kCmdMapFisheye, [this] { OnMapFisheye(); });
    const std::pair<int, XformKind> xforms[] = {{kCmdRectToPolar, XformKind::kRectToPolar},
                                                {kCmdPolarToRect, XformKind::kPolarToRect},
                                                {kCmdAmbivueToPolar, XformKind::kAmbivueToPolar},
                                                {kCmdPolarToAmbivue, XformKind::kPolarToAmbivue}};
    for (const auto& [id, kind] : xforms)
        frame.SetHandler(id, [this, kind = kind] { transforms->OnXform(kind); });
    const std::pair<int, XformKind> batches[] = {
        {kCmdBatchRectToPolar, XformKind::kRectToPolar},
        {kCmdBatchPolarToRect, XformKind::kPolarToRect},
        {kCmdBatchAmbivueToPolar, XformKind::kAmbivueToPolar},
        {kCmdBatchPolarToAmbivue, XformKind::kPolarToAmbivue}};
    for (const auto& [id, kind] : batches) {
        frame.SetHandler(id, [this, kind = kind] { transforms->OnBatchXform(kind); });
    }
    frame.SetHandler(kCmdBatchFisheye, [this] { transforms->OnBatchFisheye(); });
    frame.SetHandler(kCmdHammerAitoff, [this] { transforms->OnHammerAitoff(); });
    frame.SetHandler(kCmdOffMapColor, [this] { transforms->OnOffMapColor(); });
    frame.SetHandler(kCmdCascade, [&area] { area.cascadeSubWindows(); });
    frame.SetHandler(kCmdTile, [&area] { area.tileSubWindows(); });
    frame.SetHandler(kCmdArrangeIcons, [&area] {
        int x = 0;
        for (QMdiSubWindow* window : area.subWindowList()) {
            if (!window->isMinimized()) continue;
            window->move(x, area.height() - window->height());
            x += window->width();
        }
    });
    frame.SetHandler(kCmdNextPane, [&area] { area.activateNextSubWindow(); });
    frame.SetHandler(kCmdPreviousPane, [&area] { area.activatePreviousSubWindow(); });
}

void CMosaApp::RefreshMenus() {
    CDocument* document = windows->ActiveDocument();
    ActiveDocument active = ActiveDocument::kNone;
    if (dynamic_cast<CMosaDoc*>(document)) active = ActiveDocument::kMap;
    if (dynamic_cast<CImageDoc*>(document)) active = ActiveDocument::kImage;
    auto* mapView = qobject_cast<CMosaView*>(windows->ActiveView());
    mainFrame->UpdateMenus(active, [mapView](int id) {
        return id != kCmdDomeView || (mapView && mapView->DomeViewAvailable());
    });
}

bool CMosaApp::IsBatchRun() const {
    // Options begin with "-"; anything else is taken for a file to work on.
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i].empty() || arguments[i][0] != '-') return true;
    }
    return false;
}

int CMosaApp::Run() {
    mainFrame->show();
    if (!IsBatchRun()) {
        OpenPictures(picturesToOpen);
        const int status = QApplication::exec();
        StoreSettings();
        return status;
    }
    const CommandLineResult result = RunBatch();
    StoreSettings();
    return ExitStatusOf(result.outcome, 0);
}

CommandLineResult CMosaApp::RunBatch() {
    const JobControl::Running job(jobs);
    return RunCommandLine(arguments, settings, *ports);
}

void CMosaApp::StoreSettings() {
    SaveSettings(settings, store);
    dialogStore->WriteString(kPictureFolderKey, RememberedPictureFolder().toStdString());
}

void CMosaApp::SetDialogStore(SettingsStore& dialogs) {
    dialogStore = &dialogs;
    if (const auto folder = dialogStore->ReadString(kPictureFolderKey)) {
        SetRememberedPictureFolder(QString::fromStdString(*folder));
    }
}

void CMosaApp::OnFourViewPan() {
    ChannelFiles files;
    std::string* fromArguments[] = {&files.left, &files.center, &files.right, &files.top};
    files.outputType = 0;
    if (arguments.size() < 2) RecallChannelFiles(files, *dialogStore);
    for (size_t i = 0; i < 4 && i + 1 < arguments.size(); ++i) *fromArguments[i] = arguments[i + 1];
    files.outputBaseName = "mosa";
    if (!dialogs.EditChannelFiles(files)) return;
    RememberChannelFiles(files, *dialogStore);
    const JobControl::Running job(jobs);
    RunFourViewPan(
        files, [this](PanSettings& settings) { return dialogs.EditPanSettings(settings); }, *ports);
}

void CMosaApp::OnFiveViewPolar() {
    FiveViewSettings five;
    five.directory = settings.fiveViewDir;
    five.baseName = settings.fiveViewBase;
    five.polarSweep = settings.fiveViewSweep;
    RecallFiveViewFiles(five, *dialogStore);
    if (!dialogs.EditFiveView(five)) return;
    // Kept before the run, so that a file the run cannot find is still there to correct.
    RememberFiveViewFiles(five, *dialogStore);
    const JobControl::Running job(jobs);
    RunFiveViewCommand(five, settings, *ports);
}

void CMosaApp::OnNewMap() {
    windows->NewMapDocument(nullptr);
}

void CMosaApp::OnFileNew() {
    switch (dialogs.ChooseDocumentKind()) {
        case 0:
            OnNewMap();
            break;
        case 1:
            if (windows->NewMapDocument(nullptr)) OnDomeView();
            break;
        case 2:
            windows->NewImageDocument();
            break;
        default:
            break;
    }
}

void CMosaApp::OpenPictures(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (windows->OpenImage(path, kTypeFromExtension)) AddRecentFile(path);
    }
}

void CMosaApp::OnOpenImage() {
    std::string path;
    int type = kTypeFromExtension;
    if (!dialogs.ChooseImageFile(path, true, type)) return;
    if (windows->OpenImage(path, kTypeFromExtension)) AddRecentFile(path);
}

void CMosaApp::OnAddFlat() {
    auto* document = dynamic_cast<CMosaDoc*>(windows->ActiveDocument());
    if (!document) return;
    std::string path;
    int type = kTypeFromExtension;
    if (!dialogs.ChooseImageFile(path, true, type)) return;
    auto picture = std::make_unique<CImage>();
    if (!LoadPicture(*picture, path, *messages, type)) return;
    PatchParameters parameters;
    if (!dialogs.EditPatch(parameters)) return;
    const JobControl::Running job(jobs, {document});
    document->AddFlat(std::move(picture), parameters.roll, parameters.elevation, parameters.azimuth,
                      parameters.horizontal, parameters.vertical);
}

bool CMosaApp::WriteDocument(CDocument& document, const std::string& path) {
    const int saved = document.OnSaveDocument(path, *messages);
    if (!saved) messages->Show("Could not save " + path, MessageButtons::kOk);
    return saved != 0;
}

bool CMosaApp::SaveDocumentAs(CDocument& document) {
    std::string path = document.PathName();
    if (path.empty()) {
        if (dynamic_cast<CMosaDoc*>(&document)) path = document.Image().FileName();
    }
    int type = kTypeFromExtension;
    if (!dialogs.ChooseImageFile(path, false, type)) return false;
    if (!WriteDocument(document, path)) return false;
    document.SetPathName(path);
    const PathParts parts = SplitPath(path);
    document.SetTitle(parts.name + parts.extension);
    AddRecentFile(path);
    return true;
}

bool CMosaApp::SaveDocument(CDocument& document) {
    const std::string& path = document.PathName();
    return path.empty() ? SaveDocumentAs(document) : WriteDocument(document, path);
}

void CMosaApp::OnSave() {
    if (CDocument* document = windows->ActiveDocument()) SaveDocument(*document);
}

void CMosaApp::OnSaveAs() {
    if (CDocument* document = windows->ActiveDocument()) SaveDocumentAs(*document);
}

void CMosaApp::OnClose() {
    QMdiSubWindow* window = mainFrame->Area().activeSubWindow();
    CDocument* document = windows->ActiveDocument();
    if (!window || !document) return;
    // A running job's document closes after the job stops, as a closed window does.
    if (jobs.Uses(document)) {
        window->close();
        return;
    }
    if (ConfirmClose(*document)) windows->CloseDocument(document);
}

bool CMosaApp::ConfirmQuit() {
    if (jobs.IsRunning()) {
        // Quitting now would destroy the documents the job is writing.
        jobs.Cancel(mainFrame.get(), [this] { mainFrame->close(); });
        return false;
    }
    return windows->CloseAll();
}

bool CMosaApp::ConfirmClose(CDocument& document) {
    if (!document.IsModified()) return true;
    const QString name = windows->TitleOf(document);
    const auto answer = QMessageBox::question(
        mainFrame.get(), QStringLiteral("mosa"), QStringLiteral("Save changes to %1?").arg(name),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) return false;
    return answer == QMessageBox::Discard || SaveDocument(document);
}

void CMosaApp::OnDomeView() {
    auto* view = qobject_cast<CMosaView*>(windows->ActiveView());
    if (!view || !view->DomeViewAvailable()) return;
    // One dome window per map view, also after that window was closed.
    view->SetDomeViewOpened();
    windows->OpenDomeView(view->MapDocument());
    RefreshMenus();
}

void CMosaApp::OnMapFisheye() {
    if (auto* document = dynamic_cast<CMosaDoc*>(windows->ActiveDocument())) {
        transforms->OnMapFisheye(*document);
    }
}

void CMosaApp::OnAbout() {
    AboutDialog about(mainFrame.get());
    about.exec();
}

void CMosaApp::AddRecentFile(const std::string& path) {
    recentFiles.Add(path);
    recentFiles.Save(recentStore);
    ShowRecentFiles();
    RefreshMenus();
}

void CMosaApp::ShowRecentFiles() {
    QStringList paths;
    for (const std::string& path : recentFiles.Paths()) paths << QString::fromStdString(path);
    mainFrame->SetRecentFiles(paths);
}
