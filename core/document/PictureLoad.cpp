#include "document/PictureLoad.h"

void ReportPictureProblems(const CImage& picture, Messages& messages) {
    for (const std::string& problem : picture.Problems()) {
        messages.Show(problem, MessageButtons::kOk);
    }
}

bool LoadPicture(CImage& picture, const std::string& path, Messages& messages, int type) {
    picture.Load(path, type);
    ReportPictureProblems(picture, messages);
    if (picture.HasImage()) return true;
    messages.Show("'" + path + "'\nfile read error", MessageButtons::kOk);
    return false;
}
