#include <csetjmp>
#include <cstdint>
#include <cstdio>

#include "image/CodecSettings.h"
#include "image/DibLayout.h"
#include "image/Png.h"
#include "image/PngErrors.h"

namespace {

// How the rows go into the file.
struct PngLayout {
    int bitDepth = 0;
    int colourType = 0;
    int paletteEntries = 0;  // 0: no palette chunk
};

// Decided by what the rows hold rather than by the picture's colour type alone, which may
// still name an alpha channel that reading composited away, or a palette never installed.
bool LayoutOf(const CImageImpl& image, PngLayout& layout) {
    const int depth = image.BitsPerPixel();
    if (depth == 24) {
        layout = {8, PNG_COLOR_TYPE_RGB, 0};
        return true;
    }
    if (depth != 1 && depth != 2 && depth != 4 && depth != 8) return false;
    if (image.GetPalette() && (image.ColourType() & 1)) {
        // Every index the rows can hold names an entry.
        layout = {depth, PNG_COLOR_TYPE_PALETTE, 1 << depth};
    } else {
        layout = {depth, PNG_COLOR_TYPE_GRAY, 0};
    }
    return true;
}

// Entries past the end of the picture's palette are black, as the picture reads such indices.
void FillPalette(const CPalette& source, int entries, png_color* palette) {
    for (int i = 0; i < entries; ++i) {
        palette[i] = {};
        source.GetEntry(i, palette[i].red, palette[i].green, palette[i].blue);
    }
}

// Every libpng call of a write; see DecodePng for why no local here needs a destructor.
int EncodePng(png_structp png, png_infop info, std::FILE* file, const CImageImpl& image,
              const PngLayout& layout, const png_color* palette) {
    if (setjmp(png_jmpbuf(png))) return 0;
    png_set_bgr(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.Width()),
                 static_cast<png_uint_32>(image.Height()), layout.bitDepth, layout.colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (layout.paletteEntries) png_set_PLTE(png, info, palette, layout.paletteEntries);
    png_set_compression_level(png, Codecs().pngLevel);
    png_write_info(png, info);
    // The library copies each row before reordering its channels: the picture stays as it is.
    const size_t rowBytes = static_cast<size_t>(image.RowBytes());
    for (int y = image.Height() - 1; y >= 0; --y) {
        png_write_row(png, image.Bits() + static_cast<size_t>(y) * rowBytes);
    }
    png_write_end(png, info);
    return 1;
}

}  // namespace

int CPngImpl::Write(const std::string& name) {
    AdoptName(name);
    PngLayout layout;
    if (!dib || !LayoutOf(*this, layout)) return 0;
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (!file) return 0;
    png_color palette[dib::kMaxColours];
    if (layout.paletteEntries) {
        FillPalette(*imagePalette, layout.paletteEntries, palette);
        // A trace line on standard output for every palette written, as long established.
        std::printf("writig paleta[%d %d %x]\n", layout.colourType, 1,
                    static_cast<unsigned>(reinterpret_cast<uintptr_t>(imagePalette.get())));
    }
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngJumpBack, PngIgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    int written = info ? EncodePng(png, info, file, *this, layout, palette) : 0;
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) written = 0;
    return written;
}
