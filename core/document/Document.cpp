#include "document/Document.h"

#include "document/PictureLoad.h"
#include "image/FileTypeTable.h"

int CDocument::OnSaveDocument(const std::string& path, Messages& messages) {
    const int saved = SaveByExtension(Image(), path);
    ReportPictureProblems(Image(), messages);
    if (saved) SetModified(false);
    return saved;
}
