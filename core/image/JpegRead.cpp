#include <cstdint>

#include "image/CodecSettings.h"
#include "image/DibLayout.h"
#include "image/Jpeg.h"
#include "image/JpegErrors.h"
#include "util/BinaryFile.h"

namespace {

constexpr int kQuantisedColours = 128;
// Working memory the library may take (a progressive file keeps all its coefficients); past
// it the library fails instead of asking for more.
constexpr long kLibraryMemoryLimit = 2L << 30;
// An arithmetic-coded file can declare any picture in a few hundred bytes (a flat 8000 x 8000
// takes about 200), so its data bounds nothing; the whole read is bounded instead: the
// picture plus the library's working memory. Colour costs about 4 bytes a pixel (the
// picture's index and the quantiser's buffered red, green, blue), so this admits colour
// pictures of some 130 million pixels and grey ones of 500 million, and keeps the five views
// of one render within a few GiB however their files were made.
constexpr int64_t kArithmeticReadLimit = int64_t{512} << 20;

// Every block of a complete Huffman-coded file takes at least one bit, so a file shorter than
// that cannot hold the picture it declares. Arithmetic coding has no such floor; the memory
// limit bounds those files.
bool FileCanHoldBlocks(const jpeg_decompress_struct& jpeg, int64_t fileBytes) {
    int64_t blocks = 0;
    for (int i = 0; i < jpeg.num_components; ++i) {
        const jpeg_component_info& component = jpeg.comp_info[i];
        blocks += int64_t{component.width_in_blocks} * component.height_in_blocks;
    }
    return blocks <= fileBytes * 8;
}

// Arithmetic-coded files: the library gets what the picture leaves of the read's limit, and
// fails before it allocates more (it has no backing store to fall back on).
bool LimitArithmeticRead(jpeg_decompress_struct& jpeg, int bitsPerPixel) {
    const int64_t picture = dib::RowBytesOf(bitsPerPixel, jpeg.image_width) * jpeg.image_height;
    if (picture >= kArithmeticReadLimit) return false;
    jpeg.mem->max_memory_to_use = static_cast<long>(kArithmeticReadLimit - picture);
    return true;
}

// Grey files keep their levels; colour ones become 128 colours, or 24-bit rows in the
// picture's blue, green, red order. Answers the bits a pixel of the picture takes.
int ChooseOutput(jpeg_decompress_struct& jpeg) {
    if (jpeg.jpeg_color_space == JCS_GRAYSCALE) return 8;
    // Asking for RGB explicitly makes the library refuse CMYK files, whose inks it would
    // otherwise take for red, green and blue.
    if (Codecs().jpegFullColour) {
        jpeg.out_color_space = JCS_EXT_BGR;
        return 24;
    }
    jpeg.out_color_space = JCS_RGB;
    jpeg.quantize_colors = TRUE;
    jpeg.desired_number_of_colors = kQuantisedColours;
    return 8;
}

void InstallPalette(const jpeg_decompress_struct& jpeg, CImageImpl& image) {
    if (jpeg.output_components == 3) return;
    if (jpeg.quantize_colors) {
        image.SetPaletteChannels(jpeg.actual_number_of_colors, jpeg.colormap[0], jpeg.colormap[1],
                                 jpeg.colormap[2]);
        return;
    }
    uint8_t ramp[dib::kMaxColours];
    for (int i = 0; i < dib::kMaxColours; ++i) ramp[i] = static_cast<uint8_t>(i);
    image.SetPaletteChannels(dib::kMaxColours, ramp, nullptr, nullptr);
}

// Every libjpeg call of a read. A library error jumps back into this function's setjmp,
// past the frames in between, so this function and those it calls keep no local that needs
// a destructor.
int DecodeJpeg(jpeg_decompress_struct& jpeg, JpegErrors& errors, std::FILE* file, int64_t fileBytes,
               CImageImpl& image) {
    if (setjmp(errors.recovery)) return 0;
    jpeg_create_decompress(&jpeg);
    jpeg.mem->max_memory_to_use = kLibraryMemoryLimit;
    jpeg_stdio_src(&jpeg, file);
    jpeg_read_header(&jpeg, TRUE);
    const int bitsPerPixel = ChooseOutput(jpeg);
    // Checked before the library sizes its own buffers by the picture.
    if (!dib::SizeAllowed(jpeg.image_width, jpeg.image_height, bitsPerPixel)) return 0;
    if (jpeg.arith_code ? !LimitArithmeticRead(jpeg, bitsPerPixel)
                        : !FileCanHoldBlocks(jpeg, fileBytes)) {
        return 0;
    }
    jpeg_start_decompress(&jpeg);
    if (jpeg.output_components != bitsPerPixel / 8) return 0;
    const int width = static_cast<int>(jpeg.output_width);
    const int height = static_cast<int>(jpeg.output_height);
    if (!image.Create(width, height, bitsPerPixel, -1)) return 0;
    InstallPalette(jpeg, image);
    // Straight into the picture's rows, the first decoded row at the top.
    const size_t rowBytes = static_cast<size_t>(image.RowBytes());
    while (jpeg.output_scanline < jpeg.output_height) {
        const size_t y = static_cast<size_t>(height - 1) - jpeg.output_scanline;
        JSAMPROW row = image.Bits() + y * rowBytes;
        if (jpeg_read_scanlines(&jpeg, &row, 1) != 1) return 0;
    }
    jpeg_finish_decompress(&jpeg);
    return 1;
}

}  // namespace

int CJpgImpl::Read(const std::string& name) {
    AdoptName(name);
    ReleaseAll();
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file) return 0;
    const int64_t fileBytes = SizeOfOpenFile(file);
    JpegErrors errors;
    jpeg_decompress_struct jpeg = {};
    jpeg.err = InitJpegErrors(errors);
    const int decoded = DecodeJpeg(jpeg, errors, file, fileBytes, *this);
    jpeg_destroy_decompress(&jpeg);
    std::fclose(file);
    // A half-read picture would look loaded to callers that test HasImage.
    if (!decoded) ReleaseAll();
    return decoded;
}
