#pragma once

#include "image/ImageImpl.h"

// BMP files: the bitmap block with a 14-byte file header in front.
//
// Reads Windows (40-byte and longer) and OS/2 (12-byte) headers, with or without the file
// header; 1-, 2-, 4- and 8-bit palette files and 24-bit files keep their rows as stored,
// 16- and 32-bit files (plain or with bit-field masks) are converted to 24 bits, top-down
// files are turned bottom-up. Run-length compressed 8- and 4-bit files are decoded (see
// BmpRle.h); a header whose rows are nowhere near there is refused (see
// PictureAllowance.h). Writes the block as it is: its
// bit count, bottom-up rows, no compression; a picture of 8 bits or fewer without a palette
// gets the grey table of its depth, as its pixels read.
class CBmpImpl : public CImageFileImpl {
  public:
    using CImageFileImpl::CImageFileImpl;
    int Read(const std::string& name) override;
    int Write(const std::string& name) override;
};
