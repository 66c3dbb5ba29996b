#pragma once

#include <string>

#include "image/Image.h"
#include "ports/Messages.h"

// Tells the user what the picture's last Load or SaveAs found wrong, one message each.
void ReportPictureProblems(const CImage& picture, Messages& messages);

// Loads the file into an empty picture, in the given type or that of its extension, and
// reports what the reader found wrong. When the picture has no pixels afterwards, tells the
// user "'<path>'\nfile read error" and answers false.
bool LoadPicture(CImage& picture, const std::string& path, Messages& messages,
                 int type = kTypeFromExtension);
