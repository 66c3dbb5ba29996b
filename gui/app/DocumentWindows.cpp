#include "gui/app/DocumentWindows.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <algorithm>

#include "document/ImageDoc.h"
#include "document/PictureLoad.h"
#include "gui/app/CommandDialogs.h"
#include "gui/app/JobControl.h"
#include "gui/domeview/MfcglView.h"
#include "gui/mapdoc/MosaView.h"
#include "gui/transforms/ImageView.h"
#include "gui/transforms/ImgChildFrame.h"
#include "mapdoc/MosaDoc.h"

DocumentWindows::DocumentWindows(QMdiArea& mdiArea, Messages& messageBoxes, CommandDialogs& asker,
                                 JobControl& jobControl)
    : area(mdiArea), messages(messageBoxes), dialogs(asker), jobs(jobControl) {}

DocumentWindows::~DocumentWindows() {
    // Windows go before the documents they show.
    const auto open = frames;
    for (const auto& [frame, document] : open) delete frame;
}

void DocumentWindows::Install(QMdiSubWindow* frame, QWidget* view, CDocument& document) {
    frame->setWidget(view);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frames.emplace_back(frame, &document);
    Retitle(&document);
    // The view has let go of its document by the time it is destroyed; from then on only the
    // frame's address is used.
    connect(view, &QObject::destroyed, this, [this, frame] { WindowClosed(frame); });
    frame->installEventFilter(this);
    area.addSubWindow(frame);
    area.setActiveSubWindow(frame);
}

namespace {

// Sizes a window to its view's preferred size at the picture's aspect ratio.
void FitToPicture(QMdiSubWindow* frame, PictureView* view) {
    const CImage& picture = view->Picture();
    if (!picture.HasImage() || picture.Height() <= 0) return;
    frame->resize(view->sizeHint() + (frame->size() - view->size()));
    const double aspect = static_cast<double>(picture.Width()) / picture.Height();
    if (auto* imageFrame = qobject_cast<CImgChildFrame*>(frame)) {
        imageFrame->FitToPicture();
    } else {
        frame->resize(MapViewClient(view->size(), aspect) + (frame->size() - view->size()));
    }
}

}  // namespace

QMdiSubWindow* DocumentWindows::AddWindow(CDocument& document) {
    PictureView* view = nullptr;
    QMdiSubWindow* frame = nullptr;
    if (auto* image = dynamic_cast<CImageDoc*>(&document)) {
        frame = new CImgChildFrame;
        view = new CImageView(*image, frame);
    } else {
        frame = new QMdiSubWindow;
        view = new CMosaView(static_cast<CMosaDoc&>(document), frame);
    }
    Install(frame, view, document);
    connect(view, &PictureView::titleChanged, this, [this, &document] { Retitle(&document); });
    connect(view, &PictureView::firstPicture, frame, [this, frame, view] {
        FitToPicture(frame, view);
        KeepInside(frame);
    });
    view->ContentChanged();
    frame->resize(view->sizeHint() + (frame->size() - frame->contentsRect().size()));
    frame->show();
    FitToPicture(frame, view);
    KeepInside(frame);
    return frame;
}

void DocumentWindows::Adopt(std::unique_ptr<CDocument> document) {
    CDocument& kept = *document;
    documents.push_back(std::move(document));
    jobs.AddDocument(&kept);
    AddWindow(kept);
    emit documentsChanged();
}

CImageDoc* DocumentWindows::NewImageDocument() {
    return &::NewImageDocument(*this);
}

CMosaDoc* DocumentWindows::NewMapDocument(const PanSettings* pending) {
    PanSettings settings = pending ? *pending : NewDocumentPanSettings();
    if (!pending && !dialogs.EditPanSettings(settings)) return nullptr;
    return ::NewMapDocument(settings, messages, *this);
}

CImageDoc* DocumentWindows::OpenImage(const std::string& path, int type) {
    auto document = std::make_unique<CImageDoc>();
    if (!LoadPicture(document->Image(), path, messages, type)) return nullptr;
    document->SetPathName(path);
    CImageDoc* raw = document.get();
    Adopt(std::move(document));
    return raw;
}

void DocumentWindows::NewWindow() {
    if (CDocument* document = ActiveDocument()) AddWindow(*document);
}

PictureView* DocumentWindows::ActiveView() const {
    QMdiSubWindow* window = area.activeSubWindow();
    return window ? qobject_cast<PictureView*>(window->widget()) : nullptr;
}

CDocument* DocumentWindows::ActiveDocument() const {
    return DocumentOf(area.activeSubWindow());
}

void DocumentWindows::OpenDomeView(CMosaDoc& document) {
    auto* frame = new QMdiSubWindow;
    auto* view = new CMfcglView(document, frame);
    Install(frame, view, document);
    connect(view, &CMfcglView::titleChanged, this, [this, &document] { Retitle(&document); });
    frame->resize(400, 300);
    frame->show();
    KeepInside(frame);
}

CDocument* DocumentWindows::DocumentOf(const QObject* frame) const {
    for (const auto& [window, document] : frames) {
        if (window == frame) return document;
    }
    return nullptr;
}

void DocumentWindows::CloseWindows(CDocument* document) {
    const auto open = frames;
    for (const auto& [frame, owner] : open) {
        if (owner == document) delete frame;
    }
}

void DocumentWindows::Forget(CDocument* document) {
    jobs.ForgetDocument(document);
    std::erase_if(documents, [document](const auto& d) { return d.get() == document; });
    emit documentsChanged();
}

void DocumentWindows::CloseDocument(CDocument* document) {
    CloseWindows(document);
    Forget(document);
}

int DocumentWindows::WindowCount(const CDocument* document) const {
    return static_cast<int>(std::count_if(
        frames.begin(), frames.end(), [document](const auto& f) { return f.second == document; }));
}

void DocumentWindows::WindowClosed(const QObject* frame) {
    CDocument* document = DocumentOf(frame);
    std::erase_if(frames, [frame](const auto& f) { return f.first == frame; });
    if (!document) return;
    if (WindowCount(document) == 0) {
        untitledNumbers.erase(document);
        Forget(document);
    } else {
        Retitle(document);
    }
}

QString DocumentWindows::BaseTitle(const CDocument* document) {
    if (!document->Title().empty() || !document->PathName().empty()) {
        return DocumentTitle(*document);
    }
    // Untitled documents are told apart by a number of their own, kept while they are open.
    auto [at, added] = untitledNumbers.try_emplace(document, nextUntitled);
    if (added) ++nextUntitled;
    return QStringLiteral("Mosa%1").arg(at->second);
}

void DocumentWindows::Retitle(CDocument* document) {
    const QString base = BaseTitle(document);
    const int count = WindowCount(document);
    int number = 0;
    for (const auto& [frame, owner] : frames) {
        if (owner != document) continue;
        ++number;
        frame->setWindowTitle(count > 1 ? QStringLiteral("%1:%2").arg(base).arg(number) : base);
    }
}

void DocumentWindows::KeepInside(QMdiSubWindow* frame) const {
    const QSize space = area.viewport()->size();
    if (space.isEmpty()) return;
    QRect place = frame->geometry();
    if (place.width() > space.width() || place.height() > space.height()) {
        const QSize borders = frame->size() - frame->widget()->size();
        const QSize client = frame->widget()->size().scaled(space - borders, Qt::KeepAspectRatio);
        frame->resize(client + borders);
        place = frame->geometry();
    }
    const int x = std::clamp(place.x(), 0, std::max(0, space.width() - place.width()));
    const int y = std::clamp(place.y(), 0, std::max(0, space.height() - place.height()));
    frame->move(x, y);
}

bool DocumentWindows::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Close) return QObject::eventFilter(watched, event);
    CDocument* document = DocumentOf(watched);
    if (!document || WindowCount(document) != 1) return QObject::eventFilter(watched, event);
    if (jobs.Uses(document)) {
        CloseAfterJob(watched);
        event->ignore();
        return true;
    }
    if (closeCheck && !closeCheck(*document)) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void DocumentWindows::CloseAfterJob(QObject* frame) {
    // The job would go on writing into a destroyed document. It stops at its next pump; the
    // window then closes the usual way, unless the job closed its document itself.
    const QPointer<QWidget> window = qobject_cast<QWidget*>(frame);
    jobs.Cancel(frame, [window] {
        if (window && window->isVisible()) window->close();
    });
}

bool DocumentWindows::CloseAll() {
    area.closeAllSubWindows();
    // Closed windows go only later; one still shown was kept open by the user.
    const QList<QMdiSubWindow*> left = area.subWindowList();
    return std::none_of(left.begin(), left.end(), [](QMdiSubWindow* w) { return w->isVisible(); });
}
