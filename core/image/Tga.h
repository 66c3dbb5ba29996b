#pragma once

#include "image/ImageImpl.h"

// TGA files.
//
// Reads colour-mapped, true-colour and grey files, plain or run-length encoded (image types
// 1, 2, 3, 9, 10 and 11), at 8, 15, 16, 24 or 32 bits per pixel, with either row origin and
// two- or four-way interlace. The picture is always 24-bit, plus an alpha plane for 32-bit
// colour pixels and 16-bit grey ones (grey in the low byte, alpha in the high one). A header
// declaring far more than its data can fill is refused with a message. Writes run-length true colour: 24-bit, or 32-bit when the picture has an
// alpha plane, with the version-2 footer.
class CTgaImpl : public CImageFileImpl {
  public:
    using CImageFileImpl::CImageFileImpl;
    int Read(const std::string& name) override;
    int Write(const std::string& name) override;

    // For looking into odd files: Read shows every header field in its own message. Off
    // unless switched on.
    static void SetHeaderDump(bool on);
    static bool HeaderDump();
};
