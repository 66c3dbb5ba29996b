#include "transforms/PictureLoad.h"

bool LoadPicture(CImage& picture, const std::string& path, Messages& messages) {
    picture.Load(path, kTypeFromExtension);
    if (picture.HasImage()) return true;
    messages.Show("'" + path + "'\nfile read error", MessageButtons::kOk);
    return false;
}
