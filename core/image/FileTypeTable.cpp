#include "image/FileTypeTable.h"

#include <strings.h>

#include "util/PathParts.h"

namespace {

// In the dialogs' order.
constexpr FileTypeEntry kFileTypes[] = {
    // type, extension, description, readable, writable, typeName, documentSaves, longName,
    // jobOutput
    {kTypeGif, "gif", "GIF files", true, false, "GIF", true, nullptr, -1},
    {kTypeJpg, "jpg", "JPEG files", true, true, "JPG", true, "jpeg", 0},
    {kTypePng, "png", "PNG files", true, true, "PNG", true, nullptr, -1},
    {kTypeBmp, "bmp", "BMP files", true, true, "BMP", true, nullptr, 1},
    {kTypeTga, "tga", "TGA files", true, true, "TGA", true, nullptr, 2},
    {kTypePict, "pict", "PICT files", false, true, "PIC", true, nullptr, -1},
    {kTypeSgi, "rgb", nullptr, false, false, "RGB", false, nullptr, -1},
    // The other names SGI files go by.
    {kTypeSgi, "sgi", nullptr, false, false, "SGI", false, nullptr, -1},
    {kTypeSgi, "rgba", nullptr, false, false, "RGBA", false, nullptr, -1},
    {kTypeSgi, "bw", nullptr, false, false, "BW", false, nullptr, -1},
    {kTypeXpm, "xpm", nullptr, false, false, "XPM", false, nullptr, -1},
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
        if (entry.writable)
            allowed += (allowed.empty() ? "  " : ", ") + std::string(entry.extension);
    }
    return allowed;
}

int SaveTypeOfName(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return -1;
    const std::string extension = AsciiLower(path.substr(dot + 1));
    for (const FileTypeEntry& entry : kFileTypes) {
        if (!entry.documentSaves) continue;
        if (extension == entry.extension || (entry.longName && extension == entry.longName)) {
            return entry.type;
        }
    }
    return -1;
}

int TypeOfTypeName(const std::string& name) {
    for (const FileTypeEntry& entry : kFileTypes) {
        if (strcasecmp(name.c_str(), entry.typeName) == 0) return entry.type;
    }
    return kTypeFromExtension;
}

const char* JobOutputExtension(int choice) {
    for (const FileTypeEntry& entry : kFileTypes) {
        if (choice >= 0 && entry.jobOutput == choice) return entry.extension;
    }
    return nullptr;
}

int JobOutputOfExtension(const std::string& extension) {
    for (const FileTypeEntry& entry : kFileTypes) {
        if (entry.jobOutput >= 0 && strcasecmp(extension.c_str(), entry.extension) == 0) {
            return entry.jobOutput;
        }
    }
    return -1;
}

int SaveByExtension(CImage& image, const std::string& path) {
    const int type = SaveTypeOfName(path);
    if (type < 0 || !image.HasImage()) return 0;
    return image.SaveAs(path, type);
}
