#pragma once

#include <string>

#include "ports/Messages.h"

// 1 when the file name's extension is a writable type; otherwise tells the user which
// extensions are and answers 0.
int CheckOutputName(const std::string& path, Messages& messages);
