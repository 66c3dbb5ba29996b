#include "document/PictureLoad.h"

bool LoadPicture(CImage& picture, const std::string& path, Messages& messages, int type) {
    picture.Load(path, type);
    if (picture.HasImage()) return true;
    messages.Show("'" + path + "'\nfile read error", MessageButtons::kOk);
    return false;
}
