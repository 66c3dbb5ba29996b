#pragma once

#include "image/ImageImpl.h"

// SGI image files, read only: verbatim or run-length encoded, one or two bytes per channel
// (two-byte samples keep their high byte), one to four channels (grey, grey and alpha, RGB,
// RGBA; further channels are ignored). Each channel is stored as a plane of rows from the
// bottom up; grey becomes equal red, green and blue, alpha the picture's alpha plane.
class CRgbImpl : public CImageFileImpl {
  public:
    using CImageFileImpl::CImageFileImpl;
    // 1 when every pixel came. A file cut short (or a run-length row that points outside the
    // file) keeps its picture with the missing pixels black, and answers 0; one with next to
    // no data behind its header is refused.
    int Read(const std::string& name) override;
    int Write(const std::string&) override { return 0; }
};
