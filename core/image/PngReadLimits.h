#pragma once

#include <png.h>

#include <cstdint>
#include <cstdio>

// What a PNG reader sets and checks before it allocates rows.

// No side past the picture limit, and the text and other metadata chunks skipped unread, so
// that a declared length far beyond the file cannot make libpng allocate a buffer of that
// size for one of them (libpng 1.6.39 only warns about a chunk over its size limit, then
// allocates anyway). Called before png_read_info.
void SetPngReadLimits(png_structp png);

// Bytes of compressed rows the file holds: the lengths of its IDAT chunks, found by stepping
// from chunk header to chunk header (a chunk running past the end counts what is there).
// Other chunks, however long, hold no rows. The file is left at its start.
int64_t CompressedRowBytes(std::FILE* file, int64_t fileBytes);

// Deflate expands at most about 1032 to 1, so a file whose compressed rows are shorter than
// its declared rows need is refused before a buffer that large exists. Asked before any
// transformation, png_get_rowbytes answers the rows as stored.
bool DataCanHoldRows(png_structp png, png_infop info, int64_t compressedBytes);
