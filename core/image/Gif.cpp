#include "image/Gif.h"

#include <cstring>

#include "image/GifLzw.h"
#include "image/GifRows.h"
#include "image/PictureAllowance.h"
#include "util/BinaryFile.h"
#include "util/ByteOrder.h"

namespace {

constexpr size_t kScreenDescriptorSize = 13;
constexpr size_t kImageDescriptorSize = 9;
constexpr uint8_t kExtensionIntroducer = 0x21;
constexpr uint8_t kImageSeparator = 0x2C;
constexpr uint8_t kGraphicControlLabel = 0xF9;
constexpr uint8_t kGraphicControlSize = 4;
constexpr uint8_t kTableFlag = 0x80;
constexpr uint8_t kInterlaceFlag = 0x40;
constexpr uint8_t kTransparencyFlag = 0x01;
constexpr int kMaxColours = 256;

struct ColourTable {
    uint8_t rgb[3 * kMaxColours] = {};
    int count = 0;  // 0: the file has given no table
};

// A table of 2^(n + 1) entries, n from the low three flag bits. A table cut short by the
// end of the file keeps black entries.
void ReadColourTable(InputFile& file, uint8_t flags, ColourTable& table) {
    table.count = 1 << ((flags & 7) + 1);
    std::memset(table.rgb, 0, sizeof table.rgb);
    file.Read(table.rgb, 3 * static_cast<size_t>(table.count));
}

// Answers false at the end of the file.
bool SkipSubBlocks(InputFile& file) {
    for (;;) {
        uint8_t size = 0;
        if (!file.ReadExactly(&size, 1)) return false;
        if (size == 0) return true;
        if (file.Position() + size > file.Size() || !file.Seek(file.Position() + size)) {
            return false;
        }
    }
}

// Answers false when reading should stop: the end of the file or a malformed graphic
// control block.
bool ReadExtension(InputFile& file, CImageImpl& image) {
    uint8_t label = 0;
    if (!file.ReadExactly(&label, 1)) return false;
    if (label == kGraphicControlLabel) {
        uint8_t size = 0, control[kGraphicControlSize];
        if (!file.ReadExactly(&size, 1) || size != kGraphicControlSize) return false;
        if (!file.ReadExactly(control, kGraphicControlSize)) return false;
        if (control[0] & kTransparencyFlag) image.SetTransparentIndex(control[3]);
    }
    return SkipSubBlocks(file);
}

// With a transparent colour the palette always has 256 entries: the transparent one black,
// those the file leaves unused white, and white somewhere, so that a drawing mask can be
// made of black and white entries.
void InstallPalette(CImageImpl& image, const ColourTable& table) {
    uint8_t reds[kMaxColours] = {}, greens[kMaxColours] = {}, blues[kMaxColours] = {};
    bool whitePresent = false;
    for (int i = 0; i < table.count; ++i) {
        reds[i] = table.rgb[3 * i];
        greens[i] = table.rgb[3 * i + 1];
        blues[i] = table.rgb[3 * i + 2];
        if (reds[i] == 255 && greens[i] == 255 && blues[i] == 255) whitePresent = true;
    }
    const int transparent = image.TransparentIndex();
    if (transparent < 0) {
        image.SetPaletteChannels(table.count, reds, greens, blues);
        return;
    }
    reds[transparent] = greens[transparent] = blues[transparent] = 0;
    for (int i = table.count; i < kMaxColours; ++i) {
        reds[i] = greens[i] = blues[i] = 255;
        whitePresent = true;
    }
    if (!whitePresent) {
        const int last = kMaxColours - 1;
        reds[last] = greens[last] = blues[last] = 255;
    }
    image.SetPaletteChannels(kMaxColours, reds, greens, blues);
}

// The most pixels LZW data in the rest of the file can decode to: every code takes at least
// three bits (the smallest code size, 2, plus one) and stands for a string no longer than the
// 4096-entry table.
int64_t FillablePixels(const InputFile& file) {
    constexpr int64_t kShortestCodeBits = 3;
    constexpr int64_t kLongestString = 4096;
    const int64_t dataBytes = file.Size() - file.Position() - 1;  // after the code size byte
    if (dataBytes <= 0) return 0;
    return dataBytes * 8 / kShortestCodeBits * kLongestString;
}

// An image of the size its descriptor gives, whatever the logical screen says. A size the
// picture buffer refuses, or one far beyond what the data can fill, leaves no image.
void ReadImage(InputFile& file, CImageImpl& image, ColourTable& table) {
    uint8_t descriptor[kImageDescriptorSize];
    if (!file.ReadExactly(descriptor, kImageDescriptorSize)) return;
    const int width = GetLE16(descriptor + 4);
    const int height = GetLE16(descriptor + 6);
    const uint8_t flags = descriptor[8];
    if (flags & kTableFlag) ReadColourTable(file, flags, table);
    if (!allowance::DataCanStandFor(int64_t{width} * height, FillablePixels(file))) return;
    if (!image.Create(width, height, 8, -1)) return;
    if (table.count > 0) InstallPalette(image, table);
    GifRowWriter rows(image, (flags & kInterlaceFlag) != 0);
    DecodeGifData(file, width, rows);
    image.RecordRowsRead(rows.CompleteLines());
}

}  // namespace

// Only the first image is read: later ones are frames of an animation or overlays, and the
// picture is one still.
int CGifImpl::Read(const std::string& name) {
    AdoptName(name);
    ReleaseAll();
    transparentIndex = -1;
    InputFile file(fileName);
    if (!file.IsOpen()) return 0;
    uint8_t screen[kScreenDescriptorSize];
    if (!file.ReadExactly(screen, kScreenDescriptorSize) || std::memcmp(screen, "GIF8", 4) != 0) {
        return 0;
    }
    ColourTable table;
    if (screen[10] & kTableFlag) ReadColourTable(file, screen[10], table);
    for (;;) {
        uint8_t introducer = 0;
        if (!file.ReadExactly(&introducer, 1)) break;
        if (introducer == kExtensionIntroducer) {
            if (!ReadExtension(file, *this)) break;
        } else {
            if (introducer == kImageSeparator) ReadImage(file, *this, table);
            break;
        }
    }
    return 1;
}
