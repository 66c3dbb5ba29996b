#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "ports/Documents.h"

class QMdiArea;
class QMdiSubWindow;
class QWidget;
class CDocument;
class CImageDoc;
class CMosaDoc;
struct PanSettings;
class CommandDialogs;
class JobControl;
class PictureView;

// The open documents of the desktop application and their windows in the main window's
// document area. A document lives while it has a window; closing its last window closes it,
// except while a running job works on it: the close then stops the job and happens after it.
class DocumentWindows : public QObject, public Documents {
    Q_OBJECT
  public:
    DocumentWindows(QMdiArea& area, Messages& messages, CommandDialogs& dialogs, JobControl& jobs);
    ~DocumentWindows() override;

    // Shows the document in a window; a document made while a job runs is one it works on.
    void Adopt(std::unique_ptr<CDocument> document) override;
    void CloseDocument(CDocument* document) override;

    CImageDoc* NewImageDocument();
    // A new map document with the pending parameters, or (without them) with those the user
    // chooses in the "New mosa parameters" dialog; none when the user declined.
    CMosaDoc* NewMapDocument(const PanSettings* pending);

    // Opens a picture file in an image window; the document even when the file held no
    // picture (the window then stays empty), none only when it could not be made.
    CImageDoc* OpenImage(const std::string& path, int type);
    // Another window on the active document.
    void NewWindow();
    // The dome preview of a map document in a window of its own.
    void OpenDomeView(CMosaDoc& document);
    // The document of the active window, if any.
    CDocument* ActiveDocument() const;
    PictureView* ActiveView() const;
    size_t Count() const { return documents.size(); }
    // The document's name in its windows' titles, without a window's number.
    QString TitleOf(const CDocument& document) { return BaseTitle(&document); }
    // Asked before the last window of a document closes; false keeps it open.
    void SetCloseCheck(std::function<bool(CDocument&)> check) { closeCheck = std::move(check); }
    // Closes every window (each document's check may refuse); true when none is left.
    bool CloseAll();

  signals:
    void documentsChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int WindowCount(const CDocument* document) const;
    QMdiSubWindow* AddWindow(CDocument& document);
    void Install(QMdiSubWindow* frame, QWidget* view, CDocument& document);
    void CloseWindows(CDocument* document);
    void Forget(CDocument* document);
    void WindowClosed(const QObject* frame);
    CDocument* DocumentOf(const QObject* frame) const;
    // The document's title in its windows: "Mosa1", "Mosa2" for untitled ones, and ":1",
    // ":2" after it on each window while it has more than one.
    QString BaseTitle(const CDocument* document);
    void Retitle(CDocument* document);
    // Moves (and if it must, shrinks) a window so that all of it lies inside the workspace.
    void KeepInside(QMdiSubWindow* frame) const;
    // Holds back the close of a running job's document until the job has stopped.
    void CloseAfterJob(QObject* frame);

    QMdiArea& area;
    Messages& messages;
    CommandDialogs& dialogs;
    JobControl& jobs;
    std::vector<std::unique_ptr<CDocument>> documents;
    // Every open window and the document it shows.
    std::vector<std::pair<QMdiSubWindow*, CDocument*>> frames;
    std::function<bool(CDocument&)> closeCheck;
    std::map<const CDocument*, int> untitledNumbers;
    int nextUntitled = 1;
};
