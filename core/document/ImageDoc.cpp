#include "document/ImageDoc.h"

#include <memory>

CImageDoc& NewImageDocument(Documents& documents) {
    auto document = std::make_unique<CImageDoc>();
    CImageDoc& made = *document;
    documents.Adopt(std::move(document));
    return made;
}
