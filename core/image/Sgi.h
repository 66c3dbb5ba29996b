#pragma once

#include "image/ImageImpl.h"

// SGI image files, read only: uncompressed, one byte per channel, three channels, stored as
// all red rows, then all green rows, then all blue rows, each plane from the bottom up.
class CRgbImpl : public CImageFileImpl {
  public:
    using CImageFileImpl::CImageFileImpl;
    // 1 when every pixel came. A file cut short keeps its picture with the missing pixels
    // black, and answers 0; one with next to no planes behind its header is refused.
    int Read(const std::string& name) override;
    int Write(const std::string&) override { return 0; }
};
