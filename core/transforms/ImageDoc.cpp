#include "transforms/ImageDoc.h"

#include "image/FileTypeTable.h"

void CImageDoc::SetTitle(const std::string& newTitle) {
    title = newTitle;
    if (observer) observer->TitleChanged();
}

void CImageDoc::UpdateAllViews() {
    if (observer) observer->ContentChanged();
}

int CImageDoc::OnSaveDocument(const std::string& path) { return SaveByExtension(image, path); }
