#include <tiffio.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "deep/DeepFiles.h"
#include "image/PictureAllowance.h"
#include "util/BinaryFile.h"

namespace {

// No LZW or Deflate stream expands further than this; a file whose data cannot fill a fair
// share of the picture it declares is refused before the picture is made.
constexpr int64_t kMostExpansion = 4096;
// libtiff's own allocations for one strip stay below this.
constexpr tmsize_t kLargestAllocation = tmsize_t{256} << 20;

// libtiff's errors and warnings, kept instead of printed: the last error is the problem told.
int KeepMessage(TIFF*, void* userData, const char*, const char* format, va_list arguments) {
    char text[256];
    std::vsnprintf(text, sizeof text, format, arguments);
    *static_cast<std::string*>(userData) = text;
    return 1;
}
int IgnoreMessage(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffFile = std::unique_ptr<TIFF, TiffCloser>;

TiffFile Open(const std::string& name, const char* mode, std::string& message) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kLargestAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options, KeepMessage, &message);
    TIFFOpenOptionsSetWarningHandlerExtR(options, IgnoreMessage, nullptr);
    TiffFile tiff(TIFFOpenExt(name.c_str(), mode, options));
    TIFFOpenOptionsFree(options);
    return tiff;
}

struct TiffShape {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t channels = 0;
    uint16_t bits = 0;
    uint16_t format = SAMPLEFORMAT_UINT;
};

// The layouts read: 1 to 4 chunky channels (grey, grey and alpha, RGB, RGBA) of 8- or 16-bit
// integers or 32-bit floats, in strips, the first row at the top.
bool ReadShape(TIFF* tiff, TiffShape& shape, std::string& problem) {
    uint16_t photometric = 0, planar = PLANARCONFIG_CONTIG, orientation = ORIENTATION_TOPLEFT;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &shape.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &shape.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &shape.channels);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &shape.bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &shape.format);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    const bool integer = shape.format == SAMPLEFORMAT_UINT && (shape.bits == 8 || shape.bits == 16);
    const bool floating = shape.format == SAMPLEFORMAT_IEEEFP && shape.bits == 32;
    const bool colour = photometric == PHOTOMETRIC_RGB && shape.channels >= 3;
    const bool grey = photometric == PHOTOMETRIC_MINISBLACK && shape.channels >= 1;
    if (!integer && !floating) {
        problem = "samples of " + std::to_string(shape.bits) + " bits of that format are not read";
    } else if (!colour && !grey) {
        problem = "only grey and RGB TIFF files are read";
    } else if (shape.channels > 4 || planar != PLANARCONFIG_CONTIG || TIFFIsTiled(tiff)) {
        problem = "only files of up to 4 channels, in strips, one pixel after another, are read";
    } else if (orientation != ORIENTATION_TOPLEFT) {
        problem = "only files whose first row is the top are read";
    } else {
        return true;
    }
    return false;
}

float SampleOf(const uint8_t* p, const TiffShape& shape) {
    if (shape.bits == 8) return static_cast<float>(*p) / 255.0f;
    if (shape.bits == 16) {
        uint16_t v;
        std::memcpy(&v, p, 2);  // libtiff hands samples in this machine's order
        return static_cast<float>(v) / 65535.0f;
    }
    float v;
    std::memcpy(&v, p, 4);
    return v;
}

void StoreRow(const uint8_t* row, const TiffShape& shape, int y, DeepPicture& picture) {
    const size_t bytes = shape.bits / 8;
    const bool grey = shape.channels < 3;
    const int colours = grey ? 1 : 3;
    const bool alpha = shape.channels == (grey ? 2 : 4);
    for (uint32_t x = 0; x < shape.width; ++x) {
        const uint8_t* p = row + static_cast<size_t>(x) * shape.channels * bytes;
        float* pixel = picture.Pixel(static_cast<int>(x), y);
        for (int c = 0; c < 3; ++c) pixel[c] = SampleOf(p + (grey ? 0 : c) * bytes, shape);
        if (alpha) pixel[3] = SampleOf(p + colours * bytes, shape);
    }
}

}  // namespace

bool ReadDeepTiff(const std::string& name, DeepPicture& picture, std::string& problem) {
    picture = DeepPicture{};
    const int64_t fileBytes = InputFile(name).Size();
    std::string message;
    const TiffFile tiff = Open(name, "rm", message);  // m: no memory mapping
    if (!tiff) {
        problem = message.empty() ? "cannot open the file" : message;
        return false;
    }
    TiffShape shape;
    if (!ReadShape(tiff.get(), shape, problem)) return false;
    const int64_t bytesPerPixel = int64_t{shape.channels} * shape.bits / 8;
    const int64_t declared = int64_t{shape.width} * shape.height;
    if (!allowance::DataCanStandFor(declared, fileBytes * kMostExpansion / bytesPerPixel) ||
        shape.width > 65535 || shape.height > 65535 ||
        !picture.Create(static_cast<int>(shape.width), static_cast<int>(shape.height),
                        shape.channels == 2 || shape.channels == 4)) {
        problem = "a picture of " + std::to_string(shape.width) + " x " +
                  std::to_string(shape.height) + " pixels cannot be made from this file";
        picture = DeepPicture{};
        return false;
    }
    const tmsize_t scanline = TIFFScanlineSize(tiff.get());
    if (scanline != static_cast<tmsize_t>(shape.width * bytesPerPixel)) {
        problem = "the rows are not the size the header declares";
        picture = DeepPicture{};
        return false;
    }
    std::vector<uint8_t> row(static_cast<size_t>(scanline));
    for (uint32_t r = 0; r < shape.height; ++r) {
        if (TIFFReadScanline(tiff.get(), row.data(), r, 0) < 0) {
            problem = message.empty() ? "the file ends early or is damaged" : message;
            picture = DeepPicture{};
            return false;
        }
        StoreRow(row.data(), shape, static_cast<int>(shape.height - 1 - r), picture);
    }
    return true;
}

bool WriteDeepTiff(const std::string& name, const DeepPicture& picture,
                   const DeepWriteOptions& options, std::string& problem) {
    if (options.depth == SampleDepth::kHalf) {
        problem = "TIFF is written with 8 or 16 bits or 32-bit floats a sample";
        return false;
    }
    std::string message;
    const TiffFile tiff = Open(name, "w", message);
    if (!tiff) {
        problem = message.empty() ? "cannot create the file" : message;
        return false;
    }
    const uint16_t channels = picture.HasAlpha() ? 4 : 3;
    const uint16_t bits = options.depth == SampleDepth::k8    ? 8
                          : options.depth == SampleDepth::k16 ? 16
                                                              : 32;
    const bool floating = options.depth == SampleDepth::kFloat;
    TIFF* t = tiff.get();
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(picture.Width()));
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(picture.Height()));
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, channels);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(t, TIFFTAG_SAMPLEFORMAT, floating ? SAMPLEFORMAT_IEEEFP : SAMPLEFORMAT_UINT);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    if (picture.HasAlpha()) {
        const uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    const uint16_t compression = options.tiffCompression == TiffCompression::kLzw ? COMPRESSION_LZW
                                 : options.tiffCompression == TiffCompression::kDeflate
                                     ? COMPRESSION_ADOBE_DEFLATE
                                     : COMPRESSION_NONE;
    TIFFSetField(t, TIFFTAG_COMPRESSION, compression);
    if (compression != COMPRESSION_NONE) {
        // Differences of neighbours compress far better; floats have their own predictor.
        TIFFSetField(t, TIFFTAG_PREDICTOR,
                     floating ? PREDICTOR_FLOATINGPOINT : PREDICTOR_HORIZONTAL);
    }
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
    const size_t bytes = bits / 8;
    std::vector<uint8_t> row(static_cast<size_t>(picture.Width()) * channels * bytes);
    for (int r = 0; r < picture.Height(); ++r) {
        uint8_t* p = row.data();
        for (int x = 0; x < picture.Width(); ++x) {
            const float* pixel = picture.Pixel(x, picture.Height() - 1 - r);
            for (int c = 0; c < channels; ++c, p += bytes) {
                if (bits == 8) {
                    *p = ToSample8(pixel[c]);
                } else if (bits == 16) {
                    const uint16_t v = ToSample16(pixel[c]);
                    std::memcpy(p, &v, 2);
                } else {
                    std::memcpy(p, &pixel[c], 4);
                }
            }
        }
        if (TIFFWriteScanline(t, row.data(), static_cast<uint32_t>(r), 0) < 0) {
            problem = message.empty() ? "the file could not be written" : message;
            return false;
        }
    }
    if (!TIFFFlush(t)) {
        problem = message.empty() ? "the file could not be written" : message;
        return false;
    }
    return true;
}
