#include "headless/HeadlessDocuments.h"

#include <algorithm>

namespace {

template <typename T>
void Close(std::vector<std::unique_ptr<T>>& documents, T* document) {
    std::erase_if(documents, [document](const auto& d) { return d.get() == document; });
}

}  // namespace

CImageDoc* HeadlessDocuments::NewImageDocument() {
    imageDocuments.push_back(std::make_unique<CImageDoc>());
    return imageDocuments.back().get();
}

CMosaDoc* HeadlessDocuments::NewMapDocument(const PanSettings* pending) {
    auto document = std::make_unique<CMosaDoc>();
    if (!document->OnNewDocument(pending ? *pending : NewDocumentPanSettings(), messages)) {
        return nullptr;
    }
    mapDocuments.push_back(std::move(document));
    return mapDocuments.back().get();
}

void HeadlessDocuments::CloseDocument(CImageDoc* document) {
    Close(imageDocuments, document);
}

void HeadlessDocuments::CloseDocument(CMosaDoc* document) {
    Close(mapDocuments, document);
}
