#pragma once

#include "image/ImageImpl.h"

// PICT files, written only: a version-2 picture holding one 32-bit direct-colour pixel map
// whose rows are packed per component (all reds of a row, then greens, then blues).
class CPictImpl : public CImageFileImpl {
  public:
    using CImageFileImpl::CImageFileImpl;
    int Read(const std::string&) override { return 0; }
    // 0 when there is no picture or the file cannot be created or written.
    int Write(const std::string& name) override;
};
