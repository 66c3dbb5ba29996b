#pragma once

#include <span>
#include <string>

#include "image/Image.h"

// The file types the user interface offers: which can be opened, which written.
struct FileTypeEntry {
    int type;
    bool readable;
    bool writable;
    const char* description;
    const char* extension;
};

std::span<const FileTypeEntry> FileTypeTable();

// The open dialogs start on this filter position (1-based: JPEG files) until the user picks
// another one.
inline constexpr int kInitialOpenFilter = 3;

// "All supported types|*.gif;...|GIF files|*.gif|...|All Files|*.*||": the readable types for
// an open dialog, the writable ones for a save dialog.
std::string FileFilterList(bool forOpen);

// Whether the file name's extension (any case) is that of a writable type in the table.
bool HasWritableExtension(const std::string& path);
// The writable types' extensions as the output-name check lists them: "  bmp, tga, ...".
std::string WritableExtensionList();

// The type a document is saved as, from the extension of the name (long forms "jpeg" and
// "pict" included, any case); -1 when the extension names no writable type.
int SaveTypeOfName(const std::string& path);

// Saves the picture in the type of the name's extension; 0 without writing when the
// extension names no type or there is no picture.
int SaveByExtension(CImage& image, const std::string& path);
