#include "image/ImageFileType.h"

#include <strings.h>

#include "image/Bmp.h"
#include "image/FileTypeTable.h"
#include "image/Gif.h"
#include "image/Jpeg.h"
#include "image/Pict.h"
#include "image/Png.h"
#include "image/Sgi.h"
#include "image/Tga.h"

int FileTypeOfName(const std::string& name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot + 1 == name.size()) return kTypeFromExtension;
    return TypeOfTypeName(name.substr(dot + 1));
}

std::unique_ptr<CImageFileImpl> MakeFormatObject(const std::string& name, int type) {
    switch (type) {
        case kTypeBmp:
            return std::make_unique<CBmpImpl>(name);
        case kTypeJpg:
            return std::make_unique<CJpgImpl>(name);
        case kTypeGif:
            return std::make_unique<CGifImpl>(name);
        case kTypePng:
            return std::make_unique<CPngImpl>(name);
        case kTypeTga:
            return std::make_unique<CTgaImpl>(name);
        case kTypePict:
            return std::make_unique<CPictImpl>(name);
        case kTypeSgi:
            return std::make_unique<CRgbImpl>(name);
        default:
            return nullptr;
    }
}
