#pragma once

#include <cstddef>
#include <cstdint>

// The in-memory picture is a packed device-independent bitmap: a 40-byte info header,
// a colour table and bottom-up rows padded to 4 bytes, exactly as a BMP file holds it.
namespace dib {

constexpr int kInfoHeaderSize = 40;
constexpr int kMaxColours = 256;
constexpr int kTableRoom = kMaxColours * 4;
constexpr int kBitFieldsCompression = 3;

// Info header field offsets.
constexpr int kSize = 0;
constexpr int kWidth = 4;
constexpr int kHeight = 8;
constexpr int kPlanes = 12;
constexpr int kBitCount = 14;
constexpr int kCompression = 16;
constexpr int kImageSize = 20;
constexpr int kXResolution = 24;
constexpr int kYResolution = 28;
constexpr int kColoursUsed = 32;
constexpr int kColoursImportant = 36;

// Pictures are refused beyond these sizes: they keep every row and size field within 32 bits
// and stop a hostile header from asking for an absurd allocation.
constexpr int kMaxDimension = 65535;
constexpr int64_t kMaxPixelBytes = int64_t{1} << 30;

inline int64_t RowBytesOf(int64_t bitsPerPixel, int64_t width) {
    return ((bitsPerPixel * width + 31) / 32) * 4;
}

// True when a picture of this size and a storable depth (1, 2, 4, 8, 16, 24 or 32 bits) is
// within the limits above.
bool SizeAllowed(int64_t width, int64_t height, int64_t bitsPerPixel);

// Number of colour-table entries the header implies: colours used, or 2^bitCount
// for depths of 8 or less when colours used is 0.
int TableEntriesOf(const uint8_t* header);

// Offset of row 0 from the start of the block.
size_t RowsOffsetOf(const uint8_t* header);

// The 16 standard colours as red, green, blue.
extern const uint8_t kStandardColours[16][3];

}  // namespace dib
