#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "image/DibLayout.h"
#include "image/Png.h"
#include "image/PngErrors.h"
#include "image/PngReadLimits.h"
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
    SetPngReadLimits(png);
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
