#include "headless/HeadlessDocuments.h"

#include <algorithm>

CImageDoc* HeadlessDocuments::NewImageDocument() {
    auto document = std::make_unique<CImageDoc>();
    CImageDoc* made = document.get();
    documents.push_back(std::move(document));
    return made;
}

CMosaDoc* HeadlessDocuments::NewMapDocument(const PanSettings* pending) {
    auto document = std::make_unique<CMosaDoc>();
    if (!document->OnNewDocument(pending ? *pending : NewDocumentPanSettings(), messages)) {
        return nullptr;
    }
    CMosaDoc* made = document.get();
    documents.push_back(std::move(document));
    return made;
}

void HeadlessDocuments::CloseDocument(CDocument* document) {
    std::erase_if(documents, [document](const auto& d) { return d.get() == document; });
}
