#include "transforms/ImageDoc.h"

#include "image/FileTypeTable.h"

int CImageDoc::OnSaveDocument(const std::string& path) { return SaveByExtension(image, path); }
