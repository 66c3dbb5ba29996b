#include "document/Document.h"

#include "image/FileTypeTable.h"

int CDocument::OnSaveDocument(const std::string& path) {
    const int saved = SaveByExtension(Image(), path);
    if (saved) SetModified(false);
    return saved;
}
