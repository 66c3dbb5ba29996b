#pragma once

#include <memory>
#include <string>

class CImageFileImpl;

// File type codes; -1 asks for the type of the name's extension.
enum ImageFileType {
    kTypeFromExtension = -1,
    kTypeBmp = 0,
    kTypeJpg = 1,
    kTypeGif = 2,
    kTypeXpm = 3,
    kTypePng = 4,
    kTypeTga = 5,
    kTypePict = 6,
    kTypeSgi = 7,
};

// The type named by the text after the last "." (three-letter type names, any case);
// -1 for no extension or an unknown one.
int FileTypeOfName(const std::string& name);

// A new, empty format object for the type, or null when the type has no format object.
std::unique_ptr<CImageFileImpl> MakeFormatObject(const std::string& name, int type);
