#include "gui/app/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

#include "gui/app/CommandIds.h"

namespace {

struct Accelerator {
    QKeySequence keys;
    int id;
};

const Accelerator kAccelerators[] = {
    {QKeySequence(Qt::CTRL | Qt::Key_N), kCmdFileNew},
    {QKeySequence(Qt::CTRL | Qt::Key_O), kCmdOpen},
    {QKeySequence(Qt::CTRL | Qt::Key_S), kCmdSave},
    {QKeySequence(Qt::CTRL | Qt::Key_Z), kCmdUndo},
    {QKeySequence(Qt::ALT | Qt::Key_Backspace), kCmdUndo},
    {QKeySequence(Qt::CTRL | Qt::Key_X), kCmdCut},
    {QKeySequence(Qt::SHIFT | Qt::Key_Delete), kCmdCut},
    {QKeySequence(Qt::CTRL | Qt::Key_C), kCmdCopy},
    {QKeySequence(Qt::CTRL | Qt::Key_Insert), kCmdCopy},
    {QKeySequence(Qt::CTRL | Qt::Key_V), kCmdPaste},
    {QKeySequence(Qt::SHIFT | Qt::Key_Insert), kCmdPaste},
    {QKeySequence(Qt::Key_F6), kCmdNextPane},
    {QKeySequence(Qt::SHIFT | Qt::Key_F6), kCmdPreviousPane},
};

// Commands that act on the active document window.
constexpr int kDocumentCommands[] = {kCmdAddFlat, kCmdMapFisheye,  kCmdClose,     kCmdSave,
                                     kCmdSaveAs,  kCmdDomeView,    kCmdNewWindow, kCmdCascade,
                                     kCmdTile,    kCmdArrangeIcons};

}  // namespace

CMainFrame::CMainFrame() : area(new QMdiArea(this)) {
    setWindowTitle(QStringLiteral("mosa"));
    setCentralWidget(area);
    // A window moved or sized beyond the workspace stays reachable.
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MakeActions();
    MakeAccelerators();
    MakeStatusBar();
    documentOnly.insert(std::begin(kDocumentCommands), std::end(kDocumentCommands));
    qApp->installEventFilter(this);
    UpdateMenus(ActiveDocument::kNone);
    resize(900, 650);
    setAcceptDrops(true);
}

namespace {

QStringList LocalFiles(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) paths << url.toLocalFile();
    }
    return paths;
}

}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalFiles(event->mimeData());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    emit picturesDropped(paths);
}

QAction* CMainFrame::MakeAction(int id, const QString& text, const QString& prompt) {
    auto* action = new QAction(text, this);
    const QStringList parts = prompt.split(QLatin1Char('\n'));
    action->setStatusTip(parts.value(0));
    if (parts.size() > 1) action->setToolTip(parts.value(1));
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] {
        const auto handler = handlers.find(id);
        if (handler != handlers.end()) handler->second();
    });
    commandActions[id] = action;
    return action;
}

void CMainFrame::MakeActions() {
    MakeAction(kCmdFourViewPan, "4 view &Pan", "Create Lumera pan from 4 cubic views");
    MakeAction(kCmdFiveViewPolar, "&5 view Polar", "Render polar image from 5 orthogonal views");
    MakeAction(kCmdBatchRectToPolar, "&Rect to polar", "Batch map rectangular image to polar");
    MakeAction(kCmdBatchPolarToRect, "&Polar to rect",
               "Batch map entire polar image to rectangular format");
    MakeAction(kCmdBatchAmbivueToPolar, "&Ambivue to polar", "Batch map Ambivue format to polar");
    MakeAction(kCmdBatchPolarToAmbivue, "Polar to A&mbivue",
               "Batch map polar image to Ambivue format");
    MakeAction(kCmdBatchFisheye, "Fisheye to Lumera", "Batch map polar fisheye to Lumera");
    MakeAction(kCmdNewMap, "&New\tCtrl+N", "New rectangular equidistant map");
    MakeAction(kCmdOpen, "&Open...\tCtrl+O", "Open an existing document\nOpen");
    MakeAction(kCmdAddFlat, "Add &Flat . . .", "Add a new camera view patch");
    MakeAction(kCmdMapFisheye, "&Map fisheye", "map polar fisheye to mosa rectangle");
    MakeAction(kCmdClose, "&Close", "Close the active document\nClose");
    MakeAction(kCmdSave, "&Save\tCtrl+S", "Save the active document\nSave");
    MakeAction(kCmdSaveAs, "Save &As...", "Save the active document with a new name\nSave As");
    MakeAction(kCmdExit, "E&xit", "Quit the application; prompts to save documents\nExit");
    MakeAction(kCmdUndo, "&Undo\tCtrl+Z", "Undo the last action\nUndo");
    MakeAction(kCmdCut, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut");
    MakeAction(kCmdCopy, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy");
    MakeAction(kCmdPaste, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste");
    QAction* statusBarItem =
        MakeAction(kCmdStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar");
    statusBarItem->setCheckable(true);
    statusBarItem->setChecked(true);
    MakeAction(kCmdDomeView, "&Dome view", "Open a 3D view of the mapped dome");
    MakeAction(kCmdNewWindow, "&New Window",
               "Open another window for the active document\nNew Window");
    MakeAction(kCmdCascade, "&Cascade", "Arrange windows so they overlap\nCascade Windows");
    MakeAction(kCmdTile, "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows");
    MakeAction(kCmdArrangeIcons, "&Arrange Icons",
               "Arrange icons at the bottom of the window\nArrange Icons");
    MakeAction(kCmdRectToPolar, "&Rect to polar", "map rectangular image to polar");
    MakeAction(kCmdPolarToRect, "&Polar to rect", "map entire polar image to rectangular format");
    MakeAction(kCmdAmbivueToPolar, "&Ambivue to polar", "map Ambivue format to polar");
    MakeAction(kCmdPolarToAmbivue, "Polar to A&mbivue", "map polar image to Ambivue format");
    MakeAction(kCmdHammerAitoff, "&Aitoff-Hammer to polar", "");
    MakeAction(kCmdOffMapColor, "Off Map color . . .",
               "Set the color to be used for result regions not in input");
    MakeAction(kCmdAbout, "&About mosa...",
               "Display program information, version number and copyright\nAbout");
}

void CMainFrame::MakeAccelerators() {
    for (const Accelerator& accelerator : kAccelerators) {
        auto* key = new QAction(this);
        key->setShortcut(accelerator.keys);
        key->setShortcutContext(Qt::ApplicationShortcut);
        const int id = accelerator.id;
        connect(key, &QAction::triggered, this, [this, id] {
            const QAction* command = Action(id);
            const auto handler = handlers.find(id);
            if (handler != handlers.end() && (!command || command->isEnabled())) handler->second();
        });
        addAction(key);
    }
}

void CMainFrame::MakeStatusBar() {
    statusBar()->showMessage(QStringLiteral("Ready"));
    // A menu item's prompt is cleared when the pointer leaves it; the idle message returns.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) statusBar()->showMessage(QStringLiteral("Ready"));
    });
    for (const char* name : {"CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(QString::fromLatin1(name), this);
        label->setEnabled(false);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
        indicators[QString::fromLatin1(name)] = label;
    }
    connect(Action(kCmdStatusBar), &QAction::toggled, statusBar(), &QWidget::setVisible);
}

QLabel* CMainFrame::Indicator(const QString& name) const {
    const auto found = indicators.find(name);
    return found == indicators.end() ? nullptr : found->second;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // The lock keys' states are not reported by the toolkit; each press toggles its indicator.
    if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const char* name = key == Qt::Key_CapsLock     ? "CAP"
                           : key == Qt::Key_NumLock    ? "NUM"
                           : key == Qt::Key_ScrollLock ? "SCRL"
                                                       : nullptr;
        // Counted where the press enters the application, not at every widget it passes on
        // its way from the focus up to the main window.
        if (name && watched->isWindowType()) {
            QLabel* label = Indicator(QString::fromLatin1(name));
            label->setEnabled(!label->isEnabled());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (closeCheck && !closeCheck()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

QAction* CMainFrame::Action(int id) const {
    const auto found = commandActions.find(id);
    return found == commandActions.end() ? nullptr : found->second;
}

void CMainFrame::SetHandler(int id, std::function<void()> handler) {
    handlers[id] = std::move(handler);
}

void CMainFrame::SetRecentFiles(const QStringList& files) {
    recentFiles = files;
}

void CMainFrame::ListWindows(QMenu& menu) {
    for (QAction* old : windowItems) {
        menu.removeAction(old);
        old->deleteLater();
    }
    windowItems.clear();
    const QList<QMdiSubWindow*> open = area->subWindowList();
    if (open.isEmpty()) return;
    windowItems << menu.addSeparator();
    for (int i = 0; i < open.size(); ++i) {
        QMdiSubWindow* window = open[i];
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        QAction* item = menu.addAction(number + QLatin1Char(' ') + window->windowTitle());
        item->setCheckable(true);
        item->setChecked(window == area->activeSubWindow());
        connect(item, &QAction::triggered, area, [this, window] {
            if (area->subWindowList().contains(window)) area->setActiveSubWindow(window);
        });
        windowItems << item;
    }
}

QMenu* CMainFrame::FileMenu(ActiveDocument active) {
    auto* file = new QMenu(QStringLiteral("&File"), this);
    file->addAction(Action(kCmdFourViewPan));
    file->addAction(Action(kCmdFiveViewPolar));
    QMenu* batch = file->addMenu(QStringLiteral("&Batch Xform"));
    for (int id : {kCmdBatchRectToPolar, kCmdBatchPolarToRect, kCmdBatchAmbivueToPolar,
                   kCmdBatchPolarToAmbivue, kCmdBatchFisheye}) {
        batch->addAction(Action(id));
    }
    file->addAction(Action(kCmdNewMap));
    file->addAction(Action(kCmdOpen));
    if (active != ActiveDocument::kNone) {
        for (int id : {kCmdAddFlat, kCmdMapFisheye, kCmdClose, kCmdSave, kCmdSaveAs}) {
            file->addAction(Action(id));
        }
    }
    file->addSeparator();
    for (int i = 0; i < recentFiles.size(); ++i) {
        const QString path = recentFiles[i];
        QAction* recent = file->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        connect(recent, &QAction::triggered, this, [this, path] { emit recentFileChosen(path); });
    }
    file->addSeparator();
    file->addAction(Action(kCmdExit));
    return file;
}

void CMainFrame::UpdateMenus(ActiveDocument active, const std::function<bool(int)>& enabled) {
    QMenuBar* bar = menuBar();
    for (QAction* old : bar->actions()) {
        if (QMenu* menu = old->menu()) menu->deleteLater();
    }
    bar->clear();
    windowItems.clear();
    const bool document = active != ActiveDocument::kNone;
    bar->addMenu(FileMenu(active));
    if (document) {
        QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
        for (int id : {kCmdUndo, kCmdCut, kCmdCopy, kCmdPaste}) edit->addAction(Action(id));
    }
    bar->addMenu(QStringLiteral("&View"))->addAction(Action(kCmdStatusBar));
    if (document) {
        QMenu* window = bar->addMenu(QStringLiteral("&Window"));
        for (int id : {kCmdDomeView, kCmdNewWindow, kCmdCascade, kCmdTile, kCmdArrangeIcons}) {
            window->addAction(Action(id));
        }
        connect(window, &QMenu::aboutToShow, this, [this, window] { ListWindows(*window); });
    }
    QMenu* xform = bar->addMenu(QStringLiteral("&Xform"));
    for (int id : {kCmdRectToPolar, kCmdPolarToRect, kCmdAmbivueToPolar, kCmdPolarToAmbivue}) {
        xform->addAction(Action(id));
    }
    if (!document) xform->addAction(Action(kCmdHammerAitoff));
    xform->addSeparator();
    xform->addAction(Action(kCmdOffMapColor));
    bar->addMenu(QStringLiteral("&Help"))->addAction(Action(kCmdAbout));

    for (const auto& [id, action] : commandActions) {
        bool on = handlers.count(id) > 0;
        if (documentOnly.count(id)) on = on && document;
        if (id == kCmdAddFlat || id == kCmdMapFisheye) on = on && active == ActiveDocument::kMap;
        if (on && enabled) on = enabled(id);
        action->setEnabled(on || id == kCmdStatusBar);
    }
}
