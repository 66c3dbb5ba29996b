#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "image/DibLayout.h"
#include "image/Png.h"
#include "image/PngErrors.h"
#include "util/BinaryFile.h"

namespace {

static_assert(sizeof(png_color) == 3, "palette entries are packed red, green, blue triples");

// Rows come as 24-bit blue, green, red or as one 8-bit sample per pixel, with transparency
// composited against black.
void ChooseTransformations(png_structp png, png_infop info) {
    png_set_bgr(png);
    png_color_16 black = {};
    png_set_background(png, &black, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    const int bitDepth = png_get_bit_depth(png, info);
    if (bitDepth == 16) png_set_strip_16(png);
    if (bitDepth < 8) {
        // Palette indices keep their values; grey levels are stretched to 0-255, which is how
        // the picture reads an 8-bit index without a palette.
        if (png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE) {
            png_set_packing(png);
        } else {
            png_set_expand_gray_1_2_4_to_8(png);
        }
    }
}

// Bytes of compressed rows the file holds: the lengths of its IDAT chunks, found by stepping
// from chunk header to chunk header (a chunk running past the end counts what is there).
// Other chunks, however long, hold no rows. The file is left at its start.
int64_t CompressedRowBytes(std::FILE* file, int64_t fileBytes) {
    constexpr int64_t kSignatureSize = 8, kChunkFraming = 12;
    int64_t total = 0;
    uint8_t head[8];
    for (int64_t at = kSignatureSize; at + kChunkFraming <= fileBytes;) {
        if (std::fseek(file, static_cast<long>(at), SEEK_SET) != 0 ||
            std::fread(head, 1, sizeof head, file) != sizeof head) {
            break;
        }
        const int64_t length = int64_t{head[0]} << 24 | head[1] << 16 | head[2] << 8 | head[3];
        if (std::memcmp(head + 4, "IDAT", 4) == 0) total += std::min(length, fileBytes - at - 8);
        if (std::memcmp(head + 4, "IEND", 4) == 0) break;
        at += kChunkFraming + length;
    }
    std::rewind(file);
    return total;
}

// Deflate expands at most about 1032 to 1, so a file whose compressed rows are shorter than
// its declared rows need is refused before a buffer that large exists.
bool DataCanHoldRows(png_structp png, png_infop info, int64_t compressedBytes) {
    constexpr int64_t kMostDeflateExpansion = 1032;
    const int64_t rowBytes = static_cast<int64_t>(png_get_rowbytes(png, info));
    const int64_t height = png_get_image_height(png, info);
    return height * rowBytes <= compressedBytes * kMostDeflateExpansion;
}

// Makes the picture the transformed rows fit exactly; false for any other row layout or a
// refused size. Only a palette file's palette is installed: the suggested palette a colour
// file may carry would turn its 24-bit rows into indices.
bool MakePicture(png_structp png, png_infop info, CImageImpl& image) {
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int colourType = png_get_color_type(png, info);
    const int depth = png_get_channels(png, info) * png_get_bit_depth(png, info);
    if (depth != 8 && depth != 24) return false;
    if (!dib::SizeAllowed(width, height, depth)) return false;
    if (!image.Create(static_cast<int>(width), static_cast<int>(height), depth, colourType)) {
        return false;
    }
    if (png_get_rowbytes(png, info) > static_cast<size_t>(image.RowBytes())) return false;
    png_colorp palette = nullptr;
    int count = 0;
    if (colourType == PNG_COLOR_TYPE_PALETTE &&
        png_get_PLTE(png, info, &palette, &count) == PNG_INFO_PLTE) {
        image.SetPaletteTriples(count, &palette->red);
    }
    return true;
}

// Every libpng call of a read. A library error jumps back into this function's setjmp, past
// the frames in between, so this function and those it calls keep no local that needs a
// destructor.
int DecodePng(png_structp png, png_infop info, std::FILE* file, int64_t compressedBytes,
              CImageImpl& image) {
    if (setjmp(png_jmpbuf(png))) return 0;
    png_set_user_limits(png, dib::kMaxDimension, dib::kMaxDimension);
    // The text and other metadata chunks are never used. Skipped unread, a declared length
    // far beyond the file cannot make libpng allocate a buffer of that size for one of them
    // (libpng 1.6.39 only warns about a chunk over its size limit, then allocates anyway).
    static constexpr png_byte kUnusedChunks[] = "tEXt\0zTXt\0iTXt\0sPLT\0pCAL\0sCAL\0eXIf";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kUnusedChunks,
                                static_cast<int>(sizeof kUnusedChunks / 5));
    png_init_io(png, file);
    png_read_info(png, info);
    if (!DataCanHoldRows(png, info, compressedBytes)) return 0;
    ChooseTransformations(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (!MakePicture(png, info, image)) return 0;
    // The library merges each interlace pass into the row it is given, so every pass goes
    // straight into the picture's rows, top row first.
    const size_t rowBytes = static_cast<size_t>(image.RowBytes());
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = image.Height() - 1; y >= 0; --y) {
            png_read_row(png, image.Bits() + static_cast<size_t>(y) * rowBytes, nullptr);
        }
    }
    png_read_end(png, nullptr);
    return 1;
}

}  // namespace

int CPngImpl::Read(const std::string& name) {
    AdoptName(name);
    ReleaseAll();
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file) return 0;
    const int64_t compressedBytes = CompressedRowBytes(file, SizeOfOpenFile(file));
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngJumpBack, PngIgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const int decoded = info ? DecodePng(png, info, file, compressedBytes, *this) : 0;
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    // A half-read picture would look loaded to callers that test HasImage.
    if (!decoded) ReleaseAll();
    return decoded;
}
