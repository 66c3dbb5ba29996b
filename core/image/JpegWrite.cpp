#include "image/CodecSettings.h"
#include "image/Jpeg.h"
#include "image/JpegErrors.h"

namespace {

// From this quality up colour keeps every pixel (4:4:4): a high quality asks for it.
constexpr int kFullChromaQuality = 90;

// Image row y as red, green, blue.
void RowToRgb(const CImageImpl& image, int y, JSAMPLE* rgb) {
    const int width = image.Width();
    if (image.BitsPerPixel() == 24) {
        const uint8_t* p = image.Bits() + static_cast<size_t>(y) * image.RowBytes();
        for (int x = 0; x < width; ++x, p += 3, rgb += 3) {
            rgb[0] = p[2];
            rgb[1] = p[1];
            rgb[2] = p[0];
        }
        return;
    }
    // Indices through the palette, or as grey levels without one; an index the palette does
    // not hold is black.
    for (int x = 0; x < width; ++x, rgb += 3) {
        rgb[0] = rgb[1] = rgb[2] = 0;
        image.GetRGB(x, y, rgb[0], rgb[1], rgb[2]);
    }
}

// Every libjpeg call of a write; see DecodeJpeg for why no local here needs a destructor.
int EncodeJpeg(jpeg_compress_struct& jpeg, JpegErrors& errors, std::FILE* file,
               const CImageImpl& image, int quality) {
    if (setjmp(errors.recovery)) return 0;
    jpeg_create_compress(&jpeg);
    jpeg_stdio_dest(&jpeg, file);
    jpeg.image_width = static_cast<JDIMENSION>(image.Width());
    jpeg.image_height = static_cast<JDIMENSION>(image.Height());
    jpeg.input_components = 3;
    jpeg.in_color_space = JCS_RGB;
    jpeg_set_defaults(&jpeg);
    jpeg_set_quality(&jpeg, quality, TRUE);
    if (quality >= kFullChromaQuality) {
        for (int c = 0; c < jpeg.num_components; ++c) {
            jpeg.comp_info[c].h_samp_factor = 1;
            jpeg.comp_info[c].v_samp_factor = 1;
        }
    }
    jpeg_start_compress(&jpeg, TRUE);
    JSAMPARRAY row = (*jpeg.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&jpeg), JPOOL_IMAGE,
                                               jpeg.image_width * 3, 1);
    while (jpeg.next_scanline < jpeg.image_height) {
        RowToRgb(image, image.Height() - 1 - static_cast<int>(jpeg.next_scanline), row[0]);
        jpeg_write_scanlines(&jpeg, row, 1);
    }
    jpeg_finish_compress(&jpeg);
    return 1;
}

}  // namespace

int CJpgImpl::Write(const std::string& name) {
    AdoptName(name);
    if (!dib || (bitsPerPixel != 24 && bitsPerPixel > 8)) return 0;
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (!file) return 0;
    JpegErrors errors;
    jpeg_compress_struct jpeg = {};
    jpeg.err = InitJpegErrors(errors);
    int written = EncodeJpeg(jpeg, errors, file, *this, Codecs().jpegQuality);
    jpeg_destroy_compress(&jpeg);
    if (std::fclose(file) != 0) written = 0;
    return written;
}
