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
    frame->setWindowTitle(DocumentTitle(document));
    frames.emplace_back(frame, &document);
    // The view has let go of its document by the time it is destroyed; from then on only the
    // frame's address is used.
    connect(view, &QObject::destroyed, this, [this, frame] { WindowClosed(frame); });
    frame->installEventFilter(this);
    area.addSubWindow(frame);
    area.setActiveSubWindow(frame);
}

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
    connect(view, &PictureView::titleChanged, frame, &QWidget::setWindowTitle);
    view->ContentChanged();
    frame->resize(view->sizeHint() + (frame->size() - frame->contentsRect().size()));
    frame->show();
    const CImage& picture = view->Picture();
    if (picture.HasImage()) {
        const double aspect = static_cast<double>(picture.Width()) / picture.Height();
        if (auto* imageFrame = qobject_cast<CImgChildFrame*>(frame)) {
            imageFrame->FitToPicture();
        } else {
            frame->resize(MapViewClient(view->size(), aspect) + (frame->size() - view->size()));
        }
    }
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
    connect(view, &CMfcglView::titleChanged, frame, &QWidget::setWindowTitle);
    frame->resize(400, 300);
    frame->show();
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
    if (document && WindowCount(document) == 0) Forget(document);
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
