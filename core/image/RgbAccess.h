#pragma once

#include <cstddef>
#include <cstdint>

#include "image/Image.h"

// Pixel access for per-pixel loops, with the answers of CImage's GetRGB and SetRGB: a 24-bit
// picture without a palette straight from or into its rows, inline; any other through the
// picture's own calls. Nothing is read or written outside the picture.

namespace rgb_access {

// A picture's rows as the loops see them; Picture is CImage or const CImage.
template <typename Picture>
class Rows {
  protected:
    explicit Rows(Picture& picture)
        : picture(&picture),
          bits(picture.HasImage() ? picture.Bits() : nullptr),
          rowBytes(picture.HasImage() ? static_cast<size_t>(picture.RowBytes()) : 0),
          width(picture.HasImage() ? static_cast<unsigned>(picture.Width()) : 0),
          height(picture.HasImage() ? static_cast<unsigned>(picture.Height()) : 0),
          direct(bits && picture.BitsPerPixel() == 24 && !picture.GetPalette()) {}

    bool Inside(int x, int y) const {
        return static_cast<unsigned>(x) < width && static_cast<unsigned>(y) < height;
    }
    auto* PixelAt(int x, int y) const {
        return bits + static_cast<size_t>(y) * rowBytes + static_cast<size_t>(x) * 3;
    }

    Picture* picture;
    decltype(picture->Bits()) bits;
    size_t rowBytes;
    unsigned width;
    unsigned height;
    bool direct;
};

}  // namespace rgb_access

// Reads the pixels of a picture; false (the colour untouched) outside it.
class RgbReader : rgb_access::Rows<const CImage> {
  public:
    explicit RgbReader(const CImage& picture) : Rows(picture) {}

    bool Get(int x, int y, uint8_t& red, uint8_t& green, uint8_t& blue) const {
        if (!direct) return picture->GetRGB(x, y, red, green, blue) != 0;
        if (!Inside(x, y)) return false;
        const uint8_t* p = PixelAt(x, y);
        blue = p[0];
        green = p[1];
        red = p[2];
        return true;
    }
};

// Writes the pixels of a picture.
class RgbWriter : rgb_access::Rows<CImage> {
  public:
    explicit RgbWriter(CImage& picture) : Rows(picture) {}

    void Set(int x, int y, uint8_t red, uint8_t green, uint8_t blue) const {
        if (!direct) {
            picture->SetRGB(x, y, red, green, blue);
            return;
        }
        if (!Inside(x, y)) return;
        uint8_t* p = PixelAt(x, y);
        p[0] = blue;
        p[1] = green;
        p[2] = red;
    }
};
