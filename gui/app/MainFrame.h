#pragma once

#include <QMainWindow>
#include <QList>
#include <QStringList>
#include <functional>
#include <map>
#include <set>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;

// What kind of document window is active: the menus differ with it.
enum class ActiveDocument { kNone, kMap, kImage };

// The main window: the document area, the menus (one set while no document window is active,
// one while one is), the accelerators and the status bar with its message pane and the
// CAP, NUM and SCRL indicators.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    CMainFrame();

    QMdiArea& Area() const { return *area; }
    QAction* Action(int id) const;
    // Gives a command its handler; commands without one stay disabled.
    void SetHandler(int id, std::function<void()> handler);
    // Rebuilds the menus for the active document kind and refreshes what is enabled; extra
    // rules (such as a view that has opened its dome view) come from the enabled test.
    void UpdateMenus(ActiveDocument active, const std::function<bool(int)>& enabled = {});
    void SetRecentFiles(const QStringList& files);
    QLabel* Indicator(const QString& name) const;
    // Asked before the main window closes; false keeps it open (a document the user chose
    // not to close).
    void SetCloseCheck(std::function<bool()> check) { closeCheck = std::move(check); }

  signals:
    void recentFileChosen(const QString& path);
    // Files dropped on the window, local paths in the order given.
    void picturesDropped(const QStringList& paths);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QAction* MakeAction(int id, const QString& text, const QString& prompt);
    void MakeActions();
    void MakeAccelerators();
    void MakeStatusBar();
    QMenu* FileMenu(ActiveDocument active);
    // The Window menu's list of the open windows after its commands, the active one checked.
    void ListWindows(QMenu& menu);

    QMdiArea* area;
    std::map<int, QAction*> commandActions;
    std::map<int, std::function<void()>> handlers;
    QStringList recentFiles;
    std::map<QString, QLabel*> indicators;
    std::set<int> documentOnly;
    std::function<bool()> closeCheck;
    QList<QAction*> windowItems;
};
