#include "image/Bmp.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

#include "image/BmpRle.h"
#include "image/DibLayout.h"
#include "image/PictureAllowance.h"
#include "util/BinaryFile.h"
#include "util/ByteOrder.h"

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12;
constexpr int kLongestHeader = 124;  // the fifth version of the Windows header
constexpr uint32_t kPlainCompression = 0;
constexpr uint32_t kRle8Compression = 1;
constexpr uint32_t kRle4Compression = 2;
constexpr uint32_t kAlphaBitFieldsCompression = 6;

// What the reader learns from the headers, each value checked before use.
struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kPlainCompression;
    int tableEntries = 0;  // entries loaded into the picture's colour table
    int64_t tableBytesInFile = 0;
    int tableEntrySize = 4;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha for 16- and 32-bit rows
    int64_t pixelOffset = 0;           // from the start of the file; 0: right after the table
};

struct ChannelMask {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t maximum = 0;

    explicit ChannelMask(uint32_t m) : mask(m) {
        if (!m) return;
        shift = std::countr_zero(m);
        const int width = std::popcount(m >> shift);
        maximum = width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1;
    }
    int Scale(uint32_t pixel) const {
        if (!maximum) return 0;
        return static_cast<int>(uint64_t{(pixel & mask) >> shift} * 255 / maximum);
    }
};

void SetDefaultMasks(BmpLayout& layout) {
    if (layout.bitCount == 16) {
        layout.masks[0] = 0x7C00;
        layout.masks[1] = 0x03E0;
        layout.masks[2] = 0x001F;
    } else {
        layout.masks[0] = 0xFF0000;
        layout.masks[1] = 0x00FF00;
        layout.masks[2] = 0x0000FF;
    }
}

// Reads the file header (when there is one), the info header and any bit-field masks.
// The file is left at the start of the colour table.
bool ReadHeaders(InputFile& file, BmpLayout& layout) {
    uint8_t fileHeader[kFileHeaderSize];
    if (!file.ReadExactly(fileHeader, kFileHeaderSize)) return false;
    int64_t pixelOffset = 0;
    if (fileHeader[0] == 'B' && fileHeader[1] == 'M') {
        pixelOffset = GetLE32(fileHeader + 10);
    } else if (!file.Seek(0)) {
        return false;
    }
    const int64_t headerStart = file.Position();

    uint8_t header[kLongestHeader] = {};
    if (!file.ReadExactly(header, 4)) return false;
    const uint32_t headerSize = GetLE32(header);
    int64_t width = 0, height = 0;
    if (headerSize == kCoreHeaderSize) {
        if (!file.ReadExactly(header + 4, kCoreHeaderSize - 4)) return false;
        width = GetLE16(header + 4);
        height = GetLE16(header + 6);
        layout.bitCount = GetLE16(header + 10);
        layout.tableEntrySize = 3;
    } else if (headerSize >= dib::kInfoHeaderSize && headerSize <= 4096) {
        const size_t kept = std::min<size_t>(headerSize, kLongestHeader);
        if (!file.ReadExactly(header + 4, kept - 4)) return false;
        if (!file.Seek(headerStart + headerSize)) return false;
        width = GetLE32Signed(header + dib::kWidth);
        height = GetLE32Signed(header + dib::kHeight);
        layout.bitCount = GetLE16(header + dib::kBitCount);
        layout.compression = GetLE32(header + dib::kCompression);
        layout.tableEntries = static_cast<int>(
            std::min<uint32_t>(GetLE32(header + dib::kColoursUsed), dib::kMaxColours + 1));
    } else {
        return false;
    }

    layout.topDown = height < 0;
    height = height < 0 ? -height : height;
    if (!dib::SizeAllowed(width, height, layout.bitCount)) return false;
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);

    const bool deep = layout.bitCount == 16 || layout.bitCount == 32;
    const bool bitFields = layout.compression == dib::kBitFieldsCompression ||
                           layout.compression == kAlphaBitFieldsCompression;
    // Run-length rows are bottom-up by definition: a top-down file with them is damaged.
    const bool runLength = (layout.compression == kRle8Compression && layout.bitCount == 8) ||
                           (layout.compression == kRle4Compression && layout.bitCount == 4);
    if (runLength && layout.topDown) return false;
    if (layout.compression != kPlainCompression && !(bitFields && deep) && !runLength) {
        return false;
    }
    if (bitFields) {
        const int maskCount = layout.compression == kAlphaBitFieldsCompression ? 4 : 3;
        uint8_t maskBytes[16] = {};
        if (headerSize >= dib::kInfoHeaderSize + 4u * maskCount) {
            std::memcpy(maskBytes, header + dib::kInfoHeaderSize, 16);
            if (headerSize < dib::kInfoHeaderSize + 16u) std::memset(maskBytes + 12, 0, 4);
        } else if (!file.ReadExactly(maskBytes, 4u * maskCount)) {
            return false;
        }
        for (int i = 0; i < 4; ++i) layout.masks[i] = GetLE32(maskBytes + 4 * i);
    } else if (deep) {
        SetDefaultMasks(layout);
    }

    if (layout.bitCount <= 8) {
        if (layout.tableEntries == 0) layout.tableEntries = 1 << layout.bitCount;
        if (layout.tableEntries > dib::kMaxColours) return false;
        layout.tableBytesInFile = int64_t{layout.tableEntries} * layout.tableEntrySize;
    } else {
        // A table in a true-colour file is only a display hint: skipped, never installed.
        layout.tableBytesInFile = int64_t{GetLE32(header + dib::kColoursUsed)} * 4;
        layout.tableEntries = 0;
    }
    layout.pixelOffset = pixelOffset;
    return true;
}

// Reads up to count bytes at the file position; whatever the file does not deliver is zero.
// Answers the number of bytes the file delivered.
size_t ReadOrZero(InputFile& file, uint8_t* buffer, size_t count) {
    const size_t got = file.Read(buffer, count);
    std::memset(buffer + got, 0, count - got);
    return got;
}

int64_t PixelsStart(const BmpLayout& layout, int64_t tableStart) {
    return layout.pixelOffset ? layout.pixelOffset : tableStart + layout.tableBytesInFile;
}

void SeekToPixels(InputFile& file, const BmpLayout& layout, int64_t tableStart) {
    const int64_t position = PixelsStart(layout, tableStart);
    // A position past the end leaves nothing to read: the rows stay zero.
    if (position > file.Size() || !file.Seek(position)) file.Seek(file.Size());
}

int64_t FileRowBytes(const BmpLayout& layout) {
    return dib::RowBytesOf(layout.bitCount, layout.width);
}

bool RunLength(const BmpLayout& layout) {
    return layout.compression == kRle8Compression || layout.compression == kRle4Compression;
}

// Plain rows expand to nothing more than themselves: the picture is worth making only for
// the rows the file holds (and the allowance for files that end early). Run-length data
// stands for at most its longest runs.
bool RowsPresentCanStandFor(const InputFile& file, const BmpLayout& layout, int64_t tableStart) {
    const int64_t present = file.Size() - PixelsStart(layout, tableStart);
    const int64_t declared = int64_t{layout.width} * layout.height;
    if (RunLength(layout)) {
        return allowance::DataCanStandFor(declared,
                                          std::max<int64_t>(present, 0) * kRlePixelsPerByte);
    }
    const int64_t rows = allowance::PlainPixels(present, FileRowBytes(layout));
    return allowance::DataCanStandFor(declared, rows * layout.width);
}

// Decodes the run-length data at the file position into the zeroed rows; answers the rows
// the data held. Reads no more than the largest encoding of the picture could take.
size_t ReadRunLengthRows(InputFile& file, const BmpLayout& layout, uint8_t* rows, size_t rowBytes) {
    const int64_t rest = file.Size() - file.Position();
    // Absolute runs take 2 bytes for every 255 pixels beyond the pixels' own, and each row
    // ends with a code: more data than this can only be padding or garbage.
    const int64_t largest = int64_t{layout.height} * (static_cast<int64_t>(rowBytes) * 2 + 4) + 16;
    std::vector<uint8_t> data(static_cast<size_t>(std::clamp<int64_t>(rest, 0, largest)));
    data.resize(file.Read(data.data(), data.size()));
    const RleRows target{rows, rowBytes, layout.width, layout.height, layout.bitCount};
    return static_cast<size_t>(DecodeBmpRle(data.data(), data.size(), target));
}

void FlipRows(uint8_t* rows, int rowBytes, int height) {
    std::vector<uint8_t> swap(static_cast<size_t>(rowBytes));
    for (int top = height - 1, bottom = 0; bottom < top; --top, ++bottom) {
        uint8_t* a = rows + static_cast<size_t>(bottom) * rowBytes;
        uint8_t* b = rows + static_cast<size_t>(top) * rowBytes;
        std::memcpy(swap.data(), a, swap.size());
        std::memcpy(a, b, swap.size());
        std::memcpy(b, swap.data(), swap.size());
    }
}

// Blue, green, red, 0 entries of the grey level each index of the depth reads as when the
// picture has no palette (0 to 255 in equal steps).
std::vector<uint8_t> GreyTable(int depth, size_t entries) {
    const int brightest = (1 << depth) - 1;
    std::vector<uint8_t> table(4 * entries, 0);
    for (size_t i = 0; i < entries; ++i) {
        const int level = static_cast<int>(std::min<size_t>(i, brightest)) * 255 / brightest;
        std::fill_n(table.begin() + static_cast<std::ptrdiff_t>(4 * i), 3,
                    static_cast<uint8_t>(level));
    }
    return table;
}

}  // namespace

int CBmpImpl::Read(const std::string& name) {
    AdoptName(name);
    ReleaseAll();
    InputFile file(fileName);
    if (!file.IsOpen()) return 0;
    BmpLayout layout;
    if (!ReadHeaders(file, layout)) return 0;
    const int64_t tableStart = file.Position();
    if (!RowsPresentCanStandFor(file, layout, tableStart)) return 0;

    if (layout.bitCount == 16 || layout.bitCount == 32) {
        const bool withAlpha = layout.masks[3] != 0;
        if (!Create(layout.width, layout.height, withAlpha ? 32 : 24, -1)) return 0;
        SeekToPixels(file, layout, tableStart);
        const ChannelMask red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]),
            alpha(layout.masks[3]);
        const int bytesPerPixel = layout.bitCount / 8;
        std::vector<uint8_t> row(static_cast<size_t>(FileRowBytes(layout)));
        int rowsRead = 0;
        for (int r = 0; r < layout.height; ++r) {
            // Rows past the end of the file stay as Create left them: zero, as a zero pixel
            // would scale to anyway.
            const size_t got = ReadOrZero(file, row.data(), row.size());
            if (got == 0) break;
            if (got == row.size()) ++rowsRead;
            const int y = layout.topDown ? layout.height - 1 - r : r;
            for (int x = 0; x < layout.width; ++x) {
                const uint8_t* p = row.data() + static_cast<size_t>(x) * bytesPerPixel;
                const uint32_t pixel = bytesPerPixel == 2 ? GetLE16(p) : GetLE32(p);
                SetRGB(x, y, red.Scale(pixel), green.Scale(pixel), blue.Scale(pixel));
                if (withAlpha) SetAlpha(x, y, alpha.Scale(pixel));
            }
        }
        RecordRowsRead(rowsRead);
        return 1;
    }

    const int n = layout.tableEntries;
    const size_t rowBytesOfFile = static_cast<size_t>(FileRowBytes(layout));
    const size_t imageSize = rowBytesOfFile * static_cast<size_t>(layout.height);
    const size_t blockSize = dib::kInfoHeaderSize + 4 * static_cast<size_t>(n) + imageSize;
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[blockSize]());
    if (!block) return 0;

    uint8_t* header = block.get();
    PutLE32(header + dib::kSize, dib::kInfoHeaderSize);
    PutLE32(header + dib::kWidth, static_cast<uint32_t>(layout.width));
    PutLE32(header + dib::kHeight, static_cast<uint32_t>(layout.height));
    PutLE16(header + dib::kPlanes, 1);
    PutLE16(header + dib::kBitCount, static_cast<uint32_t>(layout.bitCount));
    PutLE32(header + dib::kImageSize, static_cast<uint32_t>(imageSize));
    PutLE32(header + dib::kColoursUsed, static_cast<uint32_t>(n));

    uint8_t* table = header + dib::kInfoHeaderSize;
    ReadOrZero(file, table, static_cast<size_t>(n) * layout.tableEntrySize);
    if (layout.tableEntrySize == 3) {
        for (int i = n - 1; i >= 0; --i) {
            const uint8_t b = table[3 * i], g = table[3 * i + 1], r = table[3 * i + 2];
            table[4 * i] = b;
            table[4 * i + 1] = g;
            table[4 * i + 2] = r;
            table[4 * i + 3] = 0;
        }
    }
    std::vector<PaletteEntry> entries(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) entries[i] = {table[4 * i + 2], table[4 * i + 1], table[4 * i], 0};

    SeekToPixels(file, layout, tableStart);
    uint8_t* rows = table + 4 * static_cast<size_t>(n);
    const size_t rowsRead = RunLength(layout)
                                ? ReadRunLengthRows(file, layout, rows, rowBytesOfFile)
                                : ReadOrZero(file, rows, imageSize) / rowBytesOfFile;
    if (layout.topDown) FlipRows(rows, static_cast<int>(rowBytesOfFile), layout.height);

    AdoptDib(std::move(block), blockSize);
    RecordRowsRead(static_cast<int>(rowsRead));
    colourType = bitsPerPixel <= 8 ? 0 : 2;
    if (n > 0) SetPalette(std::make_unique<CPalette>(std::move(entries)));
    return 1;
}

int CBmpImpl::Write(const std::string& name) {
    AdoptName(name);
    SetColourTableRGBMode();
    if (!dib) return 0;
    OutputFile file(name);
    if (!file.IsOpen()) {
        if (imagePalette) SetColourTableIndexMode();
        return 0;
    }
    const uint8_t* header = dib.get();
    const uint32_t headerSize = GetLE32(header + dib::kSize);
    const uint32_t tableBytes = 4 * GetLE32(header + dib::kColoursUsed);
    const uint32_t imageSize = static_cast<uint32_t>(rowBytes) * static_cast<uint32_t>(height);

    uint8_t fileHeader[kFileHeaderSize] = {'B', 'M'};
    PutLE32(fileHeader + 2, imageSize + tableBytes + headerSize + kFileHeaderSize);
    PutLE32(fileHeader + 10, tableBytes + headerSize + kFileHeaderSize);
    file.Write(fileHeader, kFileHeaderSize);

    file.Write(header, headerSize);
    if (!imagePalette && bitsPerPixel <= 8) {
        // The block's default table is no description of a paletteless picture's pixels,
        // which hold grey levels: other programs would show them in the default colours.
        const std::vector<uint8_t> greys = GreyTable(bitsPerPixel, tableBytes / 4);
        file.Write(greys.data(), greys.size());
    } else {
        file.Write(header + headerSize, tableBytes);
    }
    file.Write(bits, imageSize);
    const bool written = file.Close();
    if (imagePalette) SetColourTableIndexMode();
    return written ? 1 : 0;
}
