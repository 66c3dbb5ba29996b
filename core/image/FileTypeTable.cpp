#include "image/FileTypeTable.h"

#include <strings.h>

#include "util/PathParts.h"

namespace {

constexpr FileTypeEntry kFileTypes[] = {
    {kTypeGif, true, false, "GIF files", "gif"}, {kTypeJpg, true, true, "JPEG files", "jpg"},
    {kTypePng, true, true, "PNG files", "png"},  {kTypeBmp, true, true, "BMP files", "bmp"},
    {kTypeTga, true, true, "TGA files", "tga"},  {kTypePict, false, true, "PICT files", "pict"},
};

struct SaveExtension {
    const char* extension;
    int type;
};

constexpr SaveExtension kSaveExtensions[] = {
    {"jpg", kTypeJpg}, {"jpeg", kTypeJpg},  {"gif", kTypeGif}, {"png", kTypePng},
    {"bmp", kTypeBmp}, {"pict", kTypePict}, {"tga", kTypeTga},
};

bool Qualifies(const FileTypeEntry& entry, bool forOpen) {
    return forOpen ? entry.readable : entry.writable;
}

}  // namespace

std::span<const FileTypeEntry> FileTypeTable() {
    return kFileTypes;
}

std::string FileFilterList(bool forOpen) {
    std::string list = "All supported types|";
    bool first = true;
    for (const FileTypeEntry& entry : kFileTypes) {
        if (!Qualifies(entry, forOpen)) continue;
        if (!first) list += ';';
        list += "*.";
        list += entry.extension;
        first = false;
    }
    for (const FileTypeEntry& entry : kFileTypes) {
        if (!Qualifies(entry, forOpen)) continue;
        list += std::string("|") + entry.description + "|*." + entry.extension;
    }
    return list + "|All Files|*.*||";
}

bool HasWritableExtension(const std::string& path) {
    const std::string extension = SplitPath(path).extension;
    if (extension.empty()) return false;
    for (const FileTypeEntry& entry : kFileTypes) {
        if (entry.writable && strcasecmp(extension.c_str() + 1, entry.extension) == 0) return true;
    }
    return false;
}

std::string WritableExtensionList() {
    std::string allowed;
    for (const FileTypeEntry& entry : kFileTypes) {
        if (entry.writable) allowed += (allowed.empty() ? "  " : ", ") + std::string(entry.extension);
    }
    return allowed;
}

int SaveTypeOfName(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return -1;
    const std::string extension = AsciiLower(path.substr(dot + 1));
    for (const SaveExtension& s : kSaveExtensions) {
        if (extension == s.extension) return s.type;
    }
    return -1;
}

int SaveByExtension(CImage& image, const std::string& path) {
    const int type = SaveTypeOfName(path);
    if (type < 0 || !image.HasImage()) return 0;
    return image.SaveAs(path, type);
}
