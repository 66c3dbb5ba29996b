#include "image/Pict.h"

#include <cstring>
#include <vector>

#include "util/BinaryFile.h"

namespace {

constexpr size_t kFileHeaderSize = 512;
constexpr int kMaxRun = 128;
constexpr int kMaxLiteral = 128;
// Row bytes keep two flag bits above 14 bits of count, and coordinates are signed words.
constexpr int kMaxWidth = 0x3FFF;
constexpr int kMaxHeight = 0x7FFF;

class BigEndianWriter {
  public:
    explicit BigEndianWriter(std::vector<uint8_t>& out) : bytes(out) {}
    BigEndianWriter& Word(uint32_t v) {
        bytes.push_back(static_cast<uint8_t>(v >> 8));
        bytes.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    BigEndianWriter& Long(uint32_t v) { return Word(v >> 16).Word(v & 0xFFFF); }
    BigEndianWriter& Rect(int height, int width) {
        return Word(0).Word(0).Word(Unsigned(height)).Word(Unsigned(width));
    }

  private:
    static uint32_t Unsigned(int v) { return static_cast<uint32_t>(v); }
    std::vector<uint8_t>& bytes;
};

// Everything up to and including the transfer mode of the pixel map's opcode.
std::vector<uint8_t> PictHeader(int width, int height) {
    std::vector<uint8_t> bytes(kFileHeaderSize, 0);
    const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    BigEndianWriter out(bytes);
    // Picture size (unused) and frame; version 2.
    out.Word(0).Rect(height, width);
    out.Word(0x0011).Word(0x02FF);
    // Version-2 header: no resolution given, the frame in fixed point, a reserved long.
    out.Word(0x0C00).Long(0xFFFFFFFF);
    out.Word(0).Word(0).Word(0).Word(0).Word(w).Word(0).Word(h).Word(0).Long(0);
    // Clip region: the frame.
    out.Word(0x0001).Word(10).Rect(height, width);
    // Direct bits: base address, row bytes with the pixel-map flag, bounds.
    out.Word(0x009A).Word(0).Word(0x00FF);
    out.Word(w | 0x8000).Rect(height, width);
    // Pixel map: version 0, packed per component, 72 dpi as plain numbers, direct colour of
    // 32 bits in three 8-bit components; no plane bytes, colour table or reserved value.
    out.Word(0).Word(4).Long(0);
    out.Long(72).Long(72);
    out.Word(16).Word(32).Word(3).Word(8);
    out.Long(0).Long(0).Long(0);
    // Source and destination rectangles, source-copy transfer.
    out.Rect(height, width).Rect(height, width).Word(0);
    return bytes;
}

// Run-length packing over one row: runs of 3 to 128 equal bytes become (257 - n, value),
// everything else goes in literal groups of up to 128 bytes as (count - 1, bytes...).
// The red, green and blue planes are one stream, so runs cross from one plane to the next.
void PackRow(const uint8_t* row, size_t length, std::vector<uint8_t>& packed) {
    packed.clear();
    size_t literalStart = 0, literalCount = 0;
    const auto flushLiteral = [&] {
        if (literalCount == 0) return;
        packed.push_back(static_cast<uint8_t>(literalCount - 1));
        packed.insert(packed.end(), row + literalStart, row + literalStart + literalCount);
        literalCount = 0;
    };
    for (size_t i = 0; i < length;) {
        size_t run = 1;
        while (i + run < length && run < kMaxRun && row[i + run] == row[i]) ++run;
        if (run >= 3) {
            flushLiteral();
            packed.push_back(static_cast<uint8_t>(257 - run));
            packed.push_back(row[i]);
        } else {
            for (size_t k = 0; k < run; ++k) {
                if (literalCount == 0) literalStart = i + k;
                if (++literalCount == kMaxLiteral) flushLiteral();
            }
        }
        i += run;
    }
    flushLiteral();
}

// Row y as its red plane, green plane and blue plane.
void SplitPlanes(const CImageImpl& image, int y, uint8_t* planes) {
    const size_t w = static_cast<size_t>(image.Width());
    uint8_t *red = planes, *green = planes + w, *blue = planes + 2 * w;
    if (image.BitsPerPixel() == 24 && !image.GetPalette()) {
        const uint8_t* p = image.Bits() + static_cast<size_t>(y) * image.RowBytes();
        for (size_t x = 0; x < w; ++x, p += 3) {
            blue[x] = p[0];
            green[x] = p[1];
            red[x] = p[2];
        }
        return;
    }
    for (size_t x = 0; x < w; ++x) {
        red[x] = green[x] = blue[x] = 0;
        image.GetRGB(static_cast<int>(x), y, red[x], green[x], blue[x]);
    }
}

}  // namespace

int CPictImpl::Write(const std::string& name) {
    AdoptName(name);
    if (!dib || width > kMaxWidth || height > kMaxHeight) return 0;
    OutputFile file(name);
    if (!file.IsOpen()) return 0;
    const std::vector<uint8_t> header = PictHeader(width, height);
    file.Write(header.data(), header.size());

    const size_t planeBytes = 3 * static_cast<size_t>(width);
    std::vector<uint8_t> planes(planeBytes);
    std::vector<uint8_t> packed;
    packed.reserve(planeBytes + planeBytes / kMaxLiteral + 1);
    size_t total = 0;
    for (int y = height - 1; y >= 0; --y) {
        SplitPlanes(*this, y, planes.data());
        PackRow(planes.data(), planeBytes, packed);
        const uint8_t count[2] = {static_cast<uint8_t>(packed.size() >> 8),
                                  static_cast<uint8_t>(packed.size())};
        file.Write(count, 2);
        file.Write(packed.data(), packed.size());
        total += 2 + packed.size();
    }
    if (total % 2) file.Put(0);
    const uint8_t endOpcode[2] = {0x00, 0xFF};
    file.Write(endOpcode, 2);
    return file.Close() ? 1 : 0;
}
