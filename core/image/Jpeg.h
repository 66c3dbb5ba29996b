#pragma once

#include "image/ImageImpl.h"

// JPEG files, through libjpeg.
//
// Reads baseline and progressive files into 8-bit pictures with a palette: colour files are
// quantised by the library to at most 128 colours (its default two-pass method with dithering)
// unless the codec settings ask for full colour (24-bit pictures), grey files keep their
// levels and get a 256-entry grey ramp. Files the library cannot turn
// into RGB (CMYK ones) are refused. A file cut short loads with the library's filling for the
// missing part. Any library error answers 0 and leaves no picture. Huffman-coded files must
// be long enough for their blocks; arithmetic-coded ones, which can declare anything in a
// few bytes, are read only while the picture and the library's memory stay within 512 MiB.
//
// Writes baseline RGB at the codec settings' quality: 24-bit rows as they are, rows of 8 bits or
// fewer through the palette (grey levels without one). The alpha plane is not written. A library
// error (a picture too wide for the format, say) answers 0.
class CJpgImpl : public CImageFileImpl {
  public:
    using CImageFileImpl::CImageFileImpl;
    int Read(const std::string& name) override;
    int Write(const std::string& name) override;
};
