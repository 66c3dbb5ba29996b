#pragma once

#include "image/GifLzw.h"
#include "image/ImageImpl.h"

// Puts decoded lines into an 8-bit picture, the file's first line at the top row. An
// interlaced file sends rows 0, 8, 16, ... then 4, 12, ... then 2, 6, ... then the odd rows.
// Lines beyond the picture are dropped.
class GifRowWriter : public GifLineSink {
  public:
    GifRowWriter(CImageImpl& image, bool interlaced);
    bool TakeLine(const uint8_t* pixels, int count) override;
    // Lines that came whole, in file order (for an interlaced file, not picture rows).
    int CompleteLines() const { return completeLines; }

  private:
    void Advance();

    CImageImpl& image;
    const bool interlaced;
    int row = 0;  // picture row counted from the top
    int step = 8;
    int pass = 0;
    int completeLines = 0;
    bool full = false;
};
