#include <cstring>
#include <new>

#include "image/Gif.h"
#include "image/GifLzw.h"
#include "util/BinaryFile.h"
#include "util/ByteOrder.h"

namespace {

constexpr int kTableEntries = 256;
constexpr uint8_t kScreenFlags = 0xE7;  // global table of 256 entries, 8 bits of colour
constexpr uint8_t kCodeSize = 8;

// The colours the picture shows: its palette, black past the palette's end; without a
// palette the grey levels that the indices read as.
void FillColourTable(const CImageImpl& image, uint8_t* rgb) {
    const CPalette* palette = image.GetPalette();
    const int indices = 1 << image.BitsPerPixel();
    for (int i = 0; i < kTableEntries; ++i, rgb += 3) {
        rgb[0] = rgb[1] = rgb[2] = 0;
        if (palette) {
            palette->GetEntry(i, rgb[0], rgb[1], rgb[2]);
        } else if (i < indices) {
            rgb[0] = rgb[1] = rgb[2] = static_cast<uint8_t>(i * 255 / (indices - 1));
        }
    }
}

void ReadIndexRow(const CImageImpl& image, int y, uint8_t* indices) {
    if (image.BitsPerPixel() == 8) {
        std::memcpy(indices, image.Bits() + static_cast<size_t>(y) * image.RowBytes(),
                    static_cast<size_t>(image.Width()));
        return;
    }
    for (int x = 0; x < image.Width(); ++x) indices[x] = static_cast<uint8_t>(image.GetIndex(x, y));
}

}  // namespace

int CGifImpl::Write(const std::string& name) {
    AdoptName(name);
    if (!dib) return 0;
    if (bitsPerPixel > 8) {
        NoteProblem("GIF Images must be 8 bit or less");
        return 0;
    }
    OutputFile file(fileName);
    if (!file.IsOpen()) {
        NoteProblem("Can't open GIF for writing");
        return 0;
    }
    uint8_t screen[13] = {'G', 'I', 'F', '8', '7', 'a'};
    PutLE16(screen + 6, static_cast<uint32_t>(width));
    PutLE16(screen + 8, static_cast<uint32_t>(height));
    screen[10] = kScreenFlags;
    file.Write(screen, sizeof screen);

    std::unique_ptr<GifLzwEncoder> encoder = GifLzwEncoder::Make(file);
    std::unique_ptr<uint8_t[]> row(new (std::nothrow) uint8_t[static_cast<size_t>(width)]);
    if (!encoder || !row) {
        NoteProblem("Out of Memory in GIFWrite");
        return 0;
    }
    uint8_t table[3 * kTableEntries];
    FillColourTable(*this, table);
    file.Write(table, sizeof table);

    uint8_t descriptor[10] = {','};
    PutLE16(descriptor + 5, static_cast<uint32_t>(width));
    PutLE16(descriptor + 7, static_cast<uint32_t>(height));
    file.Write(descriptor, sizeof descriptor);
    file.Put(kCodeSize);
    for (int y = height - 1; y >= 0; --y) {
        ReadIndexRow(*this, y, row.get());
        encoder->Put(row.get(), static_cast<size_t>(width));
    }
    encoder->Finish();
    file.Put(0);
    file.Put(';');
    // A full disk shows only here, when the buffered bytes meet the file.
    if (!file.Close()) {
        NoteProblem("Write Error in GIF file");
        return 0;
    }
    return 1;
}
