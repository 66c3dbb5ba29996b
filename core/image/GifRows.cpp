#include "image/GifRows.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kInterlacePasses = 4;

}  // namespace

GifRowWriter::GifRowWriter(CImageImpl& target, bool interlacedRows)
    : image(target), interlaced(interlacedRows) {
    full = image.Height() <= 0 || image.Bits() == nullptr || image.BitsPerPixel() != 8;
}

bool GifRowWriter::TakeLine(const uint8_t* pixels, int count) {
    if (full) return false;
    const int y = image.Height() - 1 - row;
    uint8_t* target = image.Bits() + static_cast<size_t>(y) * static_cast<size_t>(image.RowBytes());
    std::memcpy(target, pixels, static_cast<size_t>(std::clamp(count, 0, image.Width())));
    if (count >= image.Width()) ++completeLines;
    Advance();
    return !full;
}

void GifRowWriter::Advance() {
    if (!interlaced) {
        full = ++row >= image.Height();
        return;
    }
    row += step;
    while (row >= image.Height()) {
        if (++pass == kInterlacePasses) {
            full = true;
            return;
        }
        // Pass 1 keeps the step of 8; passes 2 and 3 halve it. Each starts half a step down.
        if (pass >= 2) step /= 2;
        row = step / 2;
    }
}
