#include "image/DibLayout.h"

#include "util/ByteOrder.h"

namespace dib {

const uint8_t kStandardColours[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

bool SizeAllowed(int64_t width, int64_t height, int64_t bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
        case 2:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return false;
    }
    if (width < 1 || height < 1) return false;
    if (width > kMaxDimension || height > kMaxDimension) return false;
    return RowBytesOf(bitsPerPixel, width) * height <= kMaxPixelBytes;
}

int TableEntriesOf(const uint8_t* header) {
    const int coloursUsed = static_cast<int>(GetLE32(header + kColoursUsed));
    const int bitCount = GetLE16(header + kBitCount);
    if (coloursUsed != 0) return coloursUsed;
    return bitCount <= 8 ? 1 << bitCount : 0;
}

size_t RowsOffsetOf(const uint8_t* header) {
    const size_t headerSize = GetLE32(header + kSize);
    if (GetLE32(header + kCompression) == kBitFieldsCompression) return headerSize + 12;
    return headerSize + 4 * static_cast<size_t>(GetLE32(header + kColoursUsed));
}

}  // namespace dib
