#include "headless/HeadlessDocuments.h"

#include <algorithm>

CImageDoc* HeadlessDocuments::NewImageDocument() {
    documents.push_back(std::make_unique<CImageDoc>());
    return documents.back().get();
}

void HeadlessDocuments::CloseDocument(CImageDoc* document) {
    std::erase_if(documents, [document](const auto& d) { return d.get() == document; });
}
