#include "document/ImageDoc.h"

#include "image/FileTypeTable.h"

int CImageDoc::OnSaveDocument(const std::string& path) {
    const int saved = SaveByExtension(image, path);
    if (saved) SetModified(false);
    return saved;
}
