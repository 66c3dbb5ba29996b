#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What every reader's fuzz target and the corpus replay share: the bytes go through the
// program's own load path (CImage::Load of a file of the reader's type), then the picture is
// read back pixel by pixel through the public accessors, so a reader that builds an
// inconsistent picture is caught by the sanitizers or by the checks here (which abort).

// The file type of a reader's name (bmp, tga, gif, sgi, png, jpeg, and the deep readers png16,
// tiff and exr); -1 for an unknown name.
int ReaderFileType(const std::string& reader);
// The reader names, blank-separated, for usage messages.
const char* ReaderNames();

// Loads the bytes as a file of the type and reads the picture it made, if any. Answers
// whether the reader made a picture.
bool FuzzReadPicture(int fileType, const uint8_t* data, size_t size);
