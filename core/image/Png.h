#pragma once

#include "image/ImageImpl.h"

// PNG files, through libpng.
//
// Reads every colour type and depth. Transparency (an alpha channel or a transparent colour)
// is composited against black, 16-bit samples keep their high byte, and interlaced files are
// assembled pass by pass. Rows arrive as 24-bit colour or 8-bit samples: palette files
// keep their palette (colour type 3) with one index per byte, grey files of any depth become
// 8-bit grey levels without a palette (colour type 0). A file the library rejects anywhere,
// a truncated one included, answers 0 and leaves no picture; so does one whose compressed
// rows (its IDAT chunks) could not hold its declared rows at deflate's largest expansion.
//
// Writes the picture as its rows hold it: 24-bit rows as colour type 2, rows of 8 bits or
// fewer with a palette as colour type 3 with a full palette chunk (unused entries black),
// without one as grey levels. The alpha plane is not written.
class CPngImpl : public CImageFileImpl {
  public:
    using CImageFileImpl::CImageFileImpl;
    int Read(const std::string& name) override;
    int Write(const std::string& name) override;
};
