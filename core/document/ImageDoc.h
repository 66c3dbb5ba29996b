#pragma once

#include "document/Document.h"
#include "image/Image.h"
#include "ports/Documents.h"

// A document holding one picture: the output of the transforms and the five-view job, and
// any picture the user opens.
class CImageDoc : public CDocument {
  public:
    CImage& Image() override { return image; }
    const CImage& Image() const override { return image; }

  private:
    CImage image;
};

// A new image document without a picture yet, handed to the front end, which shows it
// (where there is a display) until it is closed.
CImageDoc& NewImageDocument(Documents& documents);
