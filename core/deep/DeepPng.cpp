#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "deep/DeepFiles.h"
#include "image/PngErrors.h"
#include "image/PngReadLimits.h"
#include "util/BinaryFile.h"

namespace {

struct PngShape {
    int width = 0;
    int height = 0;
    int channels = 0;  // 3 or 4 after the transformations
    int bitDepth = 0;  // 8 or 16
    size_t rowBytes = 0;
};

// Every libpng call jumps back to its function's setjmp on an error, past the frames in
// between: these functions keep no local that needs a destructor.
bool ReadShape(png_structp png, png_infop info, std::FILE* file, int64_t compressedBytes,
               PngShape& shape) {
    if (setjmp(png_jmpbuf(png))) return false;
    SetPngReadLimits(png);
    png_init_io(png, file);
    png_read_info(png, info);
    if (!DataCanHoldRows(png, info, compressedBytes)) return false;
    // Palettes and low-bit grey to 8 bits, transparency to alpha, grey to RGB; 16 bits stay.
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    shape.width = static_cast<int>(png_get_image_width(png, info));
    shape.height = static_cast<int>(png_get_image_height(png, info));
    shape.channels = png_get_channels(png, info);
    shape.bitDepth = png_get_bit_depth(png, info);
    shape.rowBytes = png_get_rowbytes(png, info);
    return true;
}

bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, info);
    return true;
}

// Samples as fractions of the largest value; the first row of the file is the top.
void StoreRows(const std::vector<uint8_t>& data, const PngShape& shape, DeepPicture& picture) {
    const float largest = shape.bitDepth == 16 ? 65535.0f : 255.0f;
    const int bytes = shape.bitDepth / 8;
    for (int row = 0; row < shape.height; ++row) {
        const uint8_t* p = data.data() + static_cast<size_t>(row) * shape.rowBytes;
        for (int x = 0; x < shape.width; ++x) {
            float* pixel = picture.Pixel(x, shape.height - 1 - row);
            for (int c = 0; c < shape.channels; ++c, p += bytes) {
                const int value = bytes == 2 ? (p[0] << 8) | p[1] : p[0];
                pixel[c] = static_cast<float>(value) / largest;
            }
        }
    }
}

bool WriteRows(png_structp png, png_infop info, std::FILE* file, const DeepPicture& picture,
               int bitDepth, int level, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.Width()),
                 static_cast<png_uint_32>(picture.Height()), bitDepth,
                 picture.HasAlpha() ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, level);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

}  // namespace

bool ReadDeepPng(const std::string& name, DeepPicture& picture, std::string& problem) {
    picture = DeepPicture{};
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) {
        problem = "cannot open the file";
        return false;
    }
    const int64_t compressedBytes = CompressedRowBytes(file, SizeOfOpenFile(file));
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngJumpBack, PngIgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    PngShape shape;
    bool read = info && ReadShape(png, info, file, compressedBytes, shape);
    if (!read) problem = "not a PNG file, or a damaged one";
    if (read &&
        (shape.channels < 3 || !picture.Create(shape.width, shape.height, shape.channels == 4))) {
        problem = "a picture of that size cannot be made";
        read = false;
    }
    if (read) {
        std::vector<uint8_t> data(shape.rowBytes * static_cast<size_t>(shape.height));
        std::vector<png_bytep> rows(static_cast<size_t>(shape.height));
        for (size_t y = 0; y < rows.size(); ++y) rows[y] = data.data() + y * shape.rowBytes;
        read = ReadRows(png, info, rows.data());
        if (read) {
            StoreRows(data, shape, picture);
        } else {
            problem = "the file ends early or is damaged";
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    if (!read) picture = DeepPicture{};
    return read;
}

bool WriteDeepPng(const std::string& name, const DeepPicture& picture,
                  const DeepWriteOptions& options, std::string& problem) {
    if (options.depth != SampleDepth::k8 && options.depth != SampleDepth::k16) {
        problem = "PNG holds 8 or 16 bits a sample";
        return false;
    }
    const int bitDepth = options.depth == SampleDepth::k16 ? 16 : 8;
    const int channels = picture.HasAlpha() ? 4 : 3;
    const size_t rowBytes = static_cast<size_t>(picture.Width()) * channels * (bitDepth / 8);
    std::vector<uint8_t> data(rowBytes * static_cast<size_t>(picture.Height()));
    std::vector<png_bytep> rows(static_cast<size_t>(picture.Height()));
    for (int row = 0; row < picture.Height(); ++row) {
        uint8_t* p = data.data() + static_cast<size_t>(row) * rowBytes;
        rows[static_cast<size_t>(row)] = p;
        for (int x = 0; x < picture.Width(); ++x) {
            const float* pixel = picture.Pixel(x, picture.Height() - 1 - row);
            for (int c = 0; c < channels; ++c) {
                if (bitDepth == 8) {
                    *p++ = ToSample8(pixel[c]);
                } else {
                    const uint16_t v = ToSample16(pixel[c]);
                    *p++ = static_cast<uint8_t>(v >> 8);
                    *p++ = static_cast<uint8_t>(v);
                }
            }
        }
    }
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (!file) {
        problem = "cannot create the file";
        return false;
    }
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngJumpBack, PngIgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written =
        info && WriteRows(png, info, file, picture, bitDepth, options.pngLevel, rows.data());
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) written = false;
    if (!written) problem = "the file could not be written";
    return written;
}
