#pragma once

#include <cstdint>

// How large a picture a file may declare for the bytes it holds. Readers make a picture only
// when the data behind its header could fill a fair share of it, so a header of a few bytes
// cannot make them allocate (and clear) a gigabyte.
namespace allowance {

// Any file may declare a picture of this many pixels (48 MiB of 24-bit rows plus a 16 MiB
// alpha plane), whatever follows its header: such a picture costs little, and every small
// file that ended early still loads.
constexpr int64_t kAnyFilePixels = int64_t{4096} * 4096;
// Beyond that, the data present must be able to fill a sixteenth of the picture: a file cut
// short by a full disk keeps loading with its missing rows black, while a header with next
// to no data behind it is damaged.
constexpr int64_t kShortFileFactor = 16;

// True when a picture of declaredPixels is worth making for data that can decode to at most
// fillablePixels pixels (the format's largest expansion of the bytes present).
bool DataCanStandFor(int64_t declaredPixels, int64_t fillablePixels);

// Whole pixels in bytes of uncompressed data; 0 for a pixel size of 0.
int64_t PlainPixels(int64_t bytes, int64_t bytesPerPixel);

}  // namespace allowance
