#include "image/ImageImpl.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "image/BilinearPosition.h"
#include "image/DibLayout.h"
#include "util/ByteOrder.h"

CImageImpl::~CImageImpl() = default;

int CImageImpl::Read(const std::string&) {
    return 0;
}
int CImageImpl::Write(const std::string&) {
    return 0;
}

void CImageImpl::ReleaseDib() {
    dib.reset();
    dibSize = 0;
    bits = nullptr;
    width = height = rowBytes = 0;
    rowsDeclared = rowsRead = 0;
}

void CImageImpl::ReleaseAll() {
    ReleaseDib();
    alphaPlane.reset();
    alphaRowBytes = 0;
    imagePalette.reset();
    bitsPerPixel = colourType = 0;
}

int CImageImpl::Create(int newWidth, int newHeight, int depth, int newColourType) {
    ReleaseAll();
    // Deeper requests (32-bit colour with alpha, say) become 24-bit rows plus an alpha plane.
    const bool withAlpha = depth > 24 && depth <= 64;
    if (withAlpha) depth = 24;
    if (!dib::SizeAllowed(newWidth, newHeight, depth)) return 0;

    const int newRowBytes = static_cast<int>(dib::RowBytesOf(depth, newWidth));
    const size_t imageSize = static_cast<size_t>(newRowBytes) * static_cast<size_t>(newHeight);
    const size_t blockSize = dib::kInfoHeaderSize + dib::kTableRoom + imageSize;
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[blockSize]());
    if (!block) return 0;

    uint8_t* header = block.get();
    // Indexed pictures get a table entry for every index their depth can hold.
    const int coloursUsed = depth <= 8 ? 1 << depth : 0;
    PutLE32(header + dib::kSize, dib::kInfoHeaderSize);
    PutLE32(header + dib::kWidth, static_cast<uint32_t>(newWidth));
    PutLE32(header + dib::kHeight, static_cast<uint32_t>(newHeight));
    PutLE16(header + dib::kPlanes, 1);
    PutLE16(header + dib::kBitCount, static_cast<uint32_t>(depth));
    PutLE32(header + dib::kImageSize, static_cast<uint32_t>(imageSize));
    PutLE32(header + dib::kColoursUsed, static_cast<uint32_t>(coloursUsed));
    if (depth <= 8) {
        const int entries = std::min(dib::TableEntriesOf(header), dib::kMaxColours);
        for (int i = 0; i < entries; ++i) {
            uint8_t* entry = header + dib::kInfoHeaderSize + 4 * i;
            const uint8_t* colour = dib::kStandardColours[i % 16];
            entry[0] = colour[2];
            entry[1] = colour[1];
            entry[2] = colour[0];
        }
    }
    AdoptDib(std::move(block), blockSize);
    colourType = newColourType >= 0 ? newColourType : (depth <= 8 ? 0 : 2);
    if (withAlpha && !AllocAlphaPlane()) {
        ReleaseDib();
        return 0;
    }
    return rowBytes;
}

void CImageImpl::AdoptDib(std::unique_ptr<uint8_t[]> block, size_t blockSize) {
    dib = std::move(block);
    dibSize = blockSize;
    const uint8_t* header = dib.get();
    width = GetLE32Signed(header + dib::kWidth);
    height = GetLE32Signed(header + dib::kHeight);
    bitsPerPixel = GetLE16(header + dib::kBitCount);
    rowBytes = static_cast<int>(dib::RowBytesOf(bitsPerPixel, width));
    bits = dib.get() + dib::RowsOffsetOf(header);
    rowsDeclared = rowsRead = height;
}

int CImageImpl::AllocAlphaPlane() {
    alphaPlane.reset();
    alphaRowBytes = (width + 3) & ~3;
    if (alphaRowBytes <= 0 || height <= 0) {
        alphaRowBytes = 0;
        return 0;
    }
    // Like the pixel rows, the plane starts with defined (zero) content.
    alphaPlane.reset(new (
        std::nothrow) uint8_t[static_cast<size_t>(alphaRowBytes) * static_cast<size_t>(height)]());
    if (!alphaPlane) alphaRowBytes = 0;
    return alphaPlane ? 1 : 0;
}

int CImageImpl::AllocAlpha() {
    return AllocAlphaPlane();
}

int CImageImpl::Fill(int red, int green, int blue, int alpha) {
    if (dib && bitsPerPixel == 24) {
        for (int y = 0; y < height; ++y) {
            uint8_t* p = bits + static_cast<size_t>(y) * static_cast<size_t>(rowBytes);
            for (int x = 0; x < width; ++x, p += 3) {
                p[0] = static_cast<uint8_t>(blue);
                p[1] = static_cast<uint8_t>(green);
                p[2] = static_cast<uint8_t>(red);
            }
        }
    }
    if (!alphaPlane) return 0;
    std::memset(alphaPlane.get(), static_cast<uint8_t>(alpha),
                static_cast<size_t>(alphaRowBytes) * static_cast<size_t>(height));
    return height;
}

// Depths below 8 pack several pixels into a byte, leftmost pixel in the high bits as in
// BMP files; each index accessor reads or writes only its own pixel's bits.
int CImageImpl::GetIndex(int x, int y) const {
    if (!InBounds(x, y) || bitsPerPixel > 8) return -1;
    const uint8_t byte = *IndexAt(x, y);
    if (bitsPerPixel == 8) return byte;
    return (byte >> SubByteShift(x)) & ((1 << bitsPerPixel) - 1);
}

int CImageImpl::GetAlpha(int x, int y) const {
    if (!InBounds(x, y) || !alphaPlane) return 0;
    return AlphaAt(x, y);
}

int CImageImpl::GetRGB(int x, int y, uint8_t& red, uint8_t& green, uint8_t& blue) const {
    if (!InBounds(x, y)) return 0;
    if (imagePalette) return imagePalette->GetEntry(GetIndex(x, y), red, green, blue);
    if (bitsPerPixel == 24) {
        const uint8_t* p = PixelAt(x, y);
        blue = p[0];
        green = p[1];
        red = p[2];
        return 1;
    }
    if (bitsPerPixel <= 8) {
        // An index without a palette reads as a grey level, like a grey PNG.
        const int maxIndex = (1 << bitsPerPixel) - 1;
        red = green = blue = static_cast<uint8_t>(GetIndex(x, y) * 255 / maxIndex);
        return 1;
    }
    return 0;
}

int CImageImpl::GetRGBA(int x, int y, uint8_t& red, uint8_t& green, uint8_t& blue,
                        uint8_t& alpha) const {
    if (!InBounds(x, y)) return 0;
    alpha = 255;
    const int found = GetRGB(x, y, red, green, blue);
    if (imagePalette || !found) return found;
    if (!alphaPlane) return 0;
    alpha = AlphaAt(x, y);
    return 1;
}

int CImageImpl::SetIndex(int x, int y, int index) {
    if (!InBounds(x, y) || bitsPerPixel > 8) return 0;
    uint8_t& byte = *const_cast<uint8_t*>(IndexAt(x, y));
    if (bitsPerPixel == 8) {
        byte = static_cast<uint8_t>(index);
    } else {
        const int mask = ((1 << bitsPerPixel) - 1) << SubByteShift(x);
        byte = static_cast<uint8_t>((byte & ~mask) | ((index << SubByteShift(x)) & mask));
    }
    return 1;
}

int CImageImpl::SetAlpha(int x, int y, int alpha) {
    if (!InBounds(x, y) || !alphaPlane) return 0;
    alphaPlane[static_cast<size_t>(y) * static_cast<size_t>(alphaRowBytes) +
               static_cast<size_t>(x)] = static_cast<uint8_t>(alpha);
    return 1;
}

int CImageImpl::SetRGB(int x, int y, int red, int green, int blue) {
    if (!InBounds(x, y)) return 0;
    if (colourType & 1) {
        if (!imagePalette) return 0;
        return SetIndex(x, y, imagePalette->NearestIndex(red, green, blue));
    }
    // Only 24-bit rows have room for three colour bytes per pixel.
    if (bitsPerPixel != 24) return 0;
    uint8_t* p = const_cast<uint8_t*>(PixelAt(x, y));
    p[0] = static_cast<uint8_t>(blue);
    p[1] = static_cast<uint8_t>(green);
    p[2] = static_cast<uint8_t>(red);
    return 1;
}

int CImageImpl::SetRGBA(int x, int y, int red, int green, int blue, int alpha) {
    if (!SetRGB(x, y, red, green, blue)) return 0;
    return SetAlpha(x, y, alpha);
}

template <int Channels>
void CImageImpl::Bilinear(double x, double y, uint8_t* out) const {
    const auto [x0, y0, x1, y1, fx, fy] = BilinearPositionOf(x, y, width, height);
    uint8_t p00[4], p01[4], p10[4], p11[4];  // p<column><row>
    const auto sample = [this](int sx, int sy, uint8_t* s) {
        s[3] = 255;
        GetRGBA(sx, sy, s[0], s[1], s[2], s[3]);
    };
    sample(x0, y0, p00);
    sample(x0, y1, p01);
    sample(x1, y0, p10);
    sample(x1, y1, p11);
    for (int c = 0; c < Channels; ++c) {
        const int left = static_cast<int>(fy * (p01[c] - p00[c]) + p00[c]);
        const int right = static_cast<int>(fy * (p11[c] - p10[c]) + p10[c]);
        const int value = static_cast<int>(fx * (right - left) + left);
        out[c] = static_cast<uint8_t>(std::clamp(value, 0, 255));
    }
}

int CImageImpl::GetRGBBilinear(double x, double y, uint8_t& red, uint8_t& green,
                               uint8_t& blue) const {
    if (width <= 0 || height <= 0) return 0;
    uint8_t rgb[3];
    Bilinear<3>(x, y, rgb);
    red = rgb[0];
    green = rgb[1];
    blue = rgb[2];
    return 1;
}

int CImageImpl::GetRGBABilinear(double x, double y, uint8_t& red, uint8_t& green, uint8_t& blue,
                                uint8_t& alpha) const {
    if (width <= 0 || height <= 0) return 0;
    uint8_t rgba[4];
    Bilinear<4>(x, y, rgba);
    red = rgba[0];
    green = rgba[1];
    blue = rgba[2];
    alpha = alphaPlane ? rgba[3] : 255;
    return 1;
}

int CImageImpl::InstallPalette(std::unique_ptr<CPalette> palette) {
    imagePalette = std::move(palette);
    colourType |= 3;
    SetColourTableIndexMode();
    return 1;
}

int CImageImpl::SetPaletteChannels(int count, const uint8_t* reds, const uint8_t* greens,
                                   const uint8_t* blues) {
    if (count <= 0 || !reds) return 0;
    if (!greens) greens = reds;
    if (!blues) blues = greens;
    std::vector<PaletteEntry> entries(static_cast<size_t>(std::min(count, CPalette::kMaxEntries)));
    for (size_t i = 0; i < entries.size(); ++i) entries[i] = {reds[i], greens[i], blues[i], 0};
    return InstallPalette(std::make_unique<CPalette>(std::move(entries)));
}

int CImageImpl::SetPaletteTriples(int count, const uint8_t* triples) {
    if (count <= 0 || !triples) return 0;
    if (imagePalette) {
        NoteProblem("CImageImpl::imagePalette already exists!");
    }
    std::vector<PaletteEntry> entries(static_cast<size_t>(std::min(count, CPalette::kMaxEntries)));
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i] = {triples[3 * i], triples[3 * i + 1], triples[3 * i + 2], 0};
    }
    return InstallPalette(std::make_unique<CPalette>(std::move(entries)));
}

int CImageImpl::SetPalette(std::unique_ptr<CPalette> palette) {
    if (!palette) return 0;
    return InstallPalette(std::move(palette));
}

void CImageImpl::TakeOver(CImageImpl& other) {
    ReleaseDib();
    imagePalette.reset();
    dib = std::move(other.dib);
    dibSize = other.dibSize;
    transparentIndex = other.transparentIndex;
    imagePalette = std::move(other.imagePalette);
    bits = other.bits;
    width = other.width;
    height = other.height;
    bitsPerPixel = other.bitsPerPixel;
    colourType = other.colourType;
    rowBytes = other.rowBytes;
    alphaPlane = std::move(other.alphaPlane);
    alphaRowBytes = other.alphaRowBytes;
    rowsDeclared = other.rowsDeclared;
    rowsRead = other.rowsRead;
    other.bits = nullptr;
    other.dibSize = 0;
    other.alphaRowBytes = 0;
    other.width = other.height = other.rowBytes = 0;
    other.rowsDeclared = other.rowsRead = 0;
}

namespace {

// Entries the table mode switches touch; never more than the block's room.
int SwitchableEntries(const uint8_t* header) {
    const int n = dib::TableEntriesOf(header);
    if (n <= 0) return 0;
    if (n == 3 && GetLE32(header + dib::kCompression) == dib::kBitFieldsCompression) return 0;
    return std::min(n, dib::kMaxColours);
}

}  // namespace

void CImageImpl::SetColourTableIndexMode() {
    if (!dib) return;
    const int n = std::min<int>(SwitchableEntries(dib.get()),
                                static_cast<int>((bits - dib.get() - dib::kInfoHeaderSize) / 4));
    uint8_t* table = dib.get() + dib::kInfoHeaderSize;
    for (int i = 0; i < n; ++i) PutLE16(table + 2 * i, static_cast<uint32_t>(i));
}

void CImageImpl::SetColourTableRGBMode() {
    // Without a palette the table never left RGB mode.
    if (!dib || !imagePalette) return;
    const int n = std::min<int>(SwitchableEntries(dib.get()),
                                static_cast<int>((bits - dib.get() - dib::kInfoHeaderSize) / 4));
    uint8_t* table = dib.get() + dib::kInfoHeaderSize;
    for (int i = 0; i < n; ++i) {
        uint8_t red = 0, green = 0, blue = 0;
        imagePalette->GetEntry(i, red, green, blue);
        uint8_t* entry = table + 4 * i;
        entry[0] = blue;
        entry[1] = green;
        entry[2] = red;
        entry[3] = 0;
    }
}
