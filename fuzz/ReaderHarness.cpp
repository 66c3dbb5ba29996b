#include "ReaderHarness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "MemoryFile.h"
#include "deep/DeepFiles.h"
#include "image/DibLayout.h"
#include "image/Image.h"

namespace {

struct ReaderName {
    const char* name;
    int type;
};

// The deep readers have no CImage type; they get numbers of their own.
constexpr int kDeepPng = 1001;
constexpr int kDeepTiff = 1002;
constexpr int kDeepExr = 1003;

constexpr ReaderName kReaders[] = {
    {"bmp", kTypeBmp},   {"tga", kTypeTga},   {"gif", kTypeGif},
    {"sgi", kTypeSgi},   {"png", kTypePng},   {"jpeg", kTypeJpg},
    {"png16", kDeepPng}, {"tiff", kDeepTiff}, {"exr", kDeepExr},
};

// Keeps the reads from being optimised away.
volatile uint32_t sink;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "reader made an inconsistent picture: %s\n", what);
    std::abort();
}

// The geometry every accessor relies on: a size within the limits and rows inside the block.
void CheckLayout(const CImage& image) {
    const CImageImpl& impl = *image.GetImpl();
    const int width = image.Width();
    const int height = image.Height();
    if (width <= 0 || height <= 0 || width > dib::kMaxDimension || height > dib::kMaxDimension)
        Fail("size out of range");
    if (image.RowBytes() != dib::RowBytesOf(image.BitsPerPixel(), width))
        Fail("row length does not match width and depth");
    const uint8_t* blockStart = impl.Dib();
    const uint8_t* blockEnd = blockStart + impl.DibSize();
    const uint8_t* rows = image.Bits();
    if (rows < blockStart + dib::kInfoHeaderSize || rows > blockEnd)
        Fail("rows start outside the block");
    if (static_cast<size_t>(blockEnd - rows) <
        static_cast<size_t>(image.RowBytes()) * static_cast<size_t>(height))
        Fail("rows run past the block");
    if (image.AlphaBits() && impl.AlphaRowBytes() < width) Fail("alpha rows shorter than width");
}

// The first and the last byte of the block, so that a block shorter than its recorded size
// shows (the rows themselves are read below).
uint32_t ReadBlockEnds(const CImageImpl& impl) {
    return impl.Dib()[0] + impl.Dib()[impl.DibSize() - 1];
}

// The most pixels read of one picture; of a larger one, evenly spaced rows are read. A
// few-byte file may declare hundreds of millions of pixels, and reading them all would stall
// the fuzzer on each such input.
constexpr int64_t kPixelBudget = int64_t{1} << 20;

uint32_t ReadRow(const CImage& image, int y) {
    uint32_t sum = 0;
    for (int x = 0; x < image.Width(); ++x) {
        uint8_t r = 0, g = 0, b = 0, a = 0;
        sum += static_cast<uint32_t>(image.GetRGBA(x, y, r, g, b, a)) + r + g + b + a;
        sum += static_cast<uint32_t>(image.GetAlpha(x, y));
    }
    return sum;
}

// Every row, or for a huge picture evenly spaced rows within the budget, the top one included.
uint32_t ReadPixels(const CImage& image) {
    const int64_t pixels = int64_t{image.Width()} * image.Height();
    const int step = static_cast<int>(std::max<int64_t>(1, pixels / kPixelBudget));
    uint32_t sum = 0;
    for (int y = 0; y < image.Height(); y += step) sum += ReadRow(image, y);
    if ((image.Height() - 1) % step != 0) sum += ReadRow(image, image.Height() - 1);
    return sum;
}

// A few samples along the diagonal, edges included, where interpolation reaches a neighbour.
uint32_t ReadBilinear(const CImage& image) {
    uint32_t sum = 0;
    constexpr int kSamples = 8;
    for (int i = 0; i <= kSamples; ++i) {
        const double x = (image.Width() - 1) * static_cast<double>(i) / kSamples + 0.5;
        const double y = (image.Height() - 1) * static_cast<double>(i) / kSamples + 0.5;
        uint8_t r = 0, g = 0, b = 0, a = 0;
        sum += static_cast<uint32_t>(image.GetRGBABilinear(x, y, r, g, b, a)) + r + g + b + a;
        sum += static_cast<uint32_t>(image.GetRGBBilinear(x, y, r, g, b)) + r + g + b;
    }
    return sum;
}

uint32_t ReadPalette(const CImage& image) {
    const CPalette* palette = image.GetPalette();
    if (!palette) return 0;
    if (palette->Count() < 0 || palette->Count() > CPalette::kMaxEntries)
        Fail("palette size out of range");
    uint32_t sum = 0;
    for (int i = 0; i < palette->Count(); ++i) {
        const PaletteEntry& e = palette->Entries()[i];
        sum += e.red + e.green + e.blue;
    }
    return sum;
}

MemoryFile& SharedFile() {
    static MemoryFile file;
    if (!file.IsOpen()) {
        std::perror("memfd_create");
        std::abort();
    }
    return file;
}

}  // namespace

int ReaderFileType(const std::string& reader) {
    for (const ReaderName& r : kReaders) {
        if (reader == r.name) return r.type;
    }
    return -1;
}

const char* ReaderNames() {
    return "bmp tga gif sgi png jpeg png16 tiff exr";
}

namespace {

// A deep picture's every sample (of a huge one, evenly spaced rows), so that one the reader
// left short or inconsistent shows under the sanitizers.
bool ReadDeep(int fileType, const std::string& path) {
    DeepPicture picture;
    std::string problem;
    const bool read = fileType == kDeepPng    ? ReadDeepPng(path, picture, problem)
                      : fileType == kDeepTiff ? ReadDeepTiff(path, picture, problem)
                                              : ReadDeepExr(path, picture, problem);
    sink = static_cast<uint32_t>(problem.size());
    if (read != picture.HasPicture()) Fail("a deep reader's answer and its picture disagree");
    if (!read) return false;
    const int64_t pixels = int64_t{picture.Width()} * picture.Height();
    const int step = static_cast<int>(std::max<int64_t>(1, pixels / kPixelBudget));
    float sum = 0;
    for (int y = 0; y < picture.Height(); y += step) {
        for (int x = 0; x < picture.Width(); ++x) {
            const float* p = picture.Pixel(x, y);
            sum += p[0] + p[1] + p[2] + p[3];
        }
    }
    uint32_t bits = 0;  // a float file may hold infinities and NaNs: keep the bits
    std::memcpy(&bits, &sum, sizeof bits);
    sink = bits;
    return true;
}

}  // namespace

bool FuzzReadPicture(int fileType, const uint8_t* data, size_t size) {
    MemoryFile& file = SharedFile();
    if (!file.SetBytes(data, size)) {
        std::perror("memory file");
        std::abort();
    }
    if (fileType == kDeepPng || fileType == kDeepTiff || fileType == kDeepExr) {
        return ReadDeep(fileType, file.Path());
    }
    CImage image;
    // A reader may keep a partial picture when it answers 0 (a file that ended early), so
    // whatever it left is read either way.
    image.Load(file.Path(), fileType);
    uint32_t problemBytes = 0;
    for (const std::string& problem : image.Problems()) problemBytes += problem.size();
    sink = problemBytes;
    if (!image.HasImage()) return false;
    CheckLayout(image);
    sink = ReadBlockEnds(*image.GetImpl()) + ReadPixels(image) + ReadBilinear(image) +
           ReadPalette(image);
    return true;
}
