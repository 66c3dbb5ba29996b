#pragma once

#include <cstddef>
#include <cstdint>

// Run-length compressed BMP pixels (compression 1 for 8-bit indices, 2 for 4-bit ones) into
// bottom-up rows of that depth. Runs, absolute runs, end of line, end of picture and delta
// codes are honoured; a pixel beyond the row or the picture is dropped, one that no code
// reaches keeps index 0. Never reads outside data or writes outside the rows.
struct RleRows {
    uint8_t* rows;
    size_t rowBytes;
    int width;
    int height;
    int bitCount;  // 8 or 4
};

// Answers how many rows the data held: all of them once the end-of-picture code (or the last
// row's end of line) came, else the rows finished before the data ran out.
int DecodeBmpRle(const uint8_t* data, size_t size, const RleRows& target);

// The most pixels a byte of run-length data can stand for (a two-byte run of 255).
inline constexpr int64_t kRlePixelsPerByte = 128;
