#pragma once

#include <string>

#include "image/Image.h"
#include "ports/Messages.h"

// Loads the file into an empty picture, in the given type or that of its extension. When the
// picture has no pixels afterwards, tells the user "'<path>'\nfile read error" and answers
// false.
bool LoadPicture(CImage& picture, const std::string& path, Messages& messages,
                 int type = kTypeFromExtension);
