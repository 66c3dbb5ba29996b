#pragma once

#include <string>

#include "document/Document.h"
#include "image/Image.h"

// A document holding one picture: the output of the transforms and the five-view job, and
// any picture the user opens.
class CImageDoc : public CDocument {
  public:
    CImage& Image() { return image; }
    const CImage& Image() const { return image; }
    // Saves the picture in the type of the name's extension; 0 without writing when the
    // extension names no writable type or there is no picture.
    int OnSaveDocument(const std::string& path);

  private:
    CImage image;
};
