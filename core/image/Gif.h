#pragma once

#include "image/ImageImpl.h"

// GIF files.
//
// Reads GIF87a and GIF89a: global and local colour tables, the transparent colour of the
// graphic control extension, interlaced rows. The picture is the first image of the file,
// 8 bits deep with the file's colour table as palette; later images are not read. With a
// transparent colour the palette grows to 256 entries, the transparent entry black and the
// unused ones white, so that a mask can be drawn from it. An image far larger than its data
// could fill is not made (see PictureAllowance.h).
//
// Writes GIF87a: one image of 8-bit palette indices behind a 256-entry global table.
class CGifImpl : public CImageFileImpl {
  public:
    using CImageFileImpl::CImageFileImpl;
    // 1 when the file opened and is a GIF, even when it holds no image (test HasImage).
    int Read(const std::string& name) override;
    // Failures answer 0 and leave their reason in Problems().
    int Write(const std::string& name) override;
};
