#include "headless/HeadlessDocuments.h"

#include <algorithm>

void HeadlessDocuments::Adopt(std::unique_ptr<CDocument> document) {
    documents.push_back(std::move(document));
}

void HeadlessDocuments::CloseDocument(CDocument* document) {
    std::erase_if(documents, [document](const auto& d) { return d.get() == document; });
}
