#pragma once

#include <span>
#include <string>

#include "image/Image.h"

// Everything the program knows about its file types, one row each; every question about a
// type or an extension is answered from here.
struct FileTypeEntry {
    int type;
    const char* extension;    // the usual extension, as dialogs and output names show it
    const char* description;  // the dialogs' name for it; null for a type they never offer
    bool readable;            // offered by the open dialogs
    bool writable;            // offered by the save dialogs, and a valid output name
    const char* typeName;     // the three-letter name a picture's load and save go by
    bool documentSaves;       // a document may be saved in it (under extension or longName)
    const char* longName;     // a further extension a document save knows; null for none
    int jobOutput;            // its number in the view jobs' output choice; -1 for none
};

std::span<const FileTypeEntry> FileTypeTable();

// The extension (no dot) of the view jobs' output choice (0 JPEG, 1 BMP, 2 TGA); null for a
// number that is not one.
const char* JobOutputExtension(int choice);
// The output choice of an extension (no dot, any case); -1 for one the jobs do not write.
int JobOutputOfExtension(const std::string& extension);

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

// The type whose three-letter name this is (any case); kTypeFromExtension for none.
int TypeOfTypeName(const std::string& name);

// The type a document is saved as, from the extension of the name (long forms "jpeg" and
// "pict" included, any case); -1 when the extension names no writable type.
int SaveTypeOfName(const std::string& path);

// Saves the picture in the type of the name's extension; 0 without writing when the
// extension names no type or there is no picture.
int SaveByExtension(CImage& image, const std::string& path);
