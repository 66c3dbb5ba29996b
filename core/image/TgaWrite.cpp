#include <cstring>
#include <vector>

#include "image/Tga.h"
#include "image/TgaHeader.h"
#include "util/BinaryFile.h"
#include "util/ByteOrder.h"

namespace {

constexpr uint8_t kRunLengthTrueColour = 10;
constexpr int kLongestPacket = 128;
// The version-2 footer: no extension area, no developer directory, then the signature with
// its terminating zero.
constexpr uint8_t kNoFooterAreas[8] = {};
constexpr char kSignature[] = "TRUEVISION-XFILE.";

// Packs one row of pixels (size bytes each) into run-length packets; answers the bytes
// written to out, which has room for count × (size + 1) bytes. Packets never cross rows.
size_t EncodeRow(const uint8_t* pixels, int count, int size, uint8_t* out) {
    const auto same = [pixels, size](int a, int b) {
        return std::memcmp(pixels + a * size, pixels + b * size, static_cast<size_t>(size)) == 0;
    };
    uint8_t* const start = out;
    int i = 0;
    while (i < count) {
        int k = 1;
        while (i + k < count && k < kLongestPacket && same(i, i + k)) ++k;
        if (k >= 2) {
            *out++ = static_cast<uint8_t>(0x80 | (k - 1));
            std::memcpy(out, pixels + i * size, static_cast<size_t>(size));
            out += size;
        } else {
            // A raw packet stops before a pixel that starts a run.
            while (i + k < count && k < kLongestPacket &&
                   (i + k == count - 1 || !same(i + k, i + k + 1))) {
                ++k;
            }
            *out++ = static_cast<uint8_t>(k - 1);
            std::memcpy(out, pixels + i * size, static_cast<size_t>(k) * size);
            out += k * size;
        }
        i += k;
    }
    return static_cast<size_t>(out - start);
}

}  // namespace

int CTgaImpl::Write(const std::string& name) {
    if (!dib) return 0;
    OutputFile file(name);
    if (!file.IsOpen()) return 0;
    const bool withAlpha = alphaPlane != nullptr;
    const int size = withAlpha ? 4 : 3;

    uint8_t header[TgaHeader::kSize] = {0, 0, kRunLengthTrueColour};
    PutLE16(header + 12, static_cast<uint32_t>(width));
    PutLE16(header + 14, static_cast<uint32_t>(height));
    header[16] = static_cast<uint8_t>(8 * size);
    file.Write(header, sizeof header);

    std::vector<uint8_t> pixels(static_cast<size_t>(width) * size);
    std::vector<uint8_t> packets(static_cast<size_t>(width) * (size + 1));
    for (int y = 0; y < height; ++y) {
        uint8_t* p = pixels.data();
        for (int x = 0; x < width; ++x, p += size) {
            uint8_t red = 0, green = 0, blue = 0;
            GetRGB(x, y, red, green, blue);
            p[0] = blue;
            p[1] = green;
            p[2] = red;
            if (withAlpha) p[3] = static_cast<uint8_t>(GetAlpha(x, y));
        }
        file.Write(packets.data(), EncodeRow(pixels.data(), width, size, packets.data()));
    }
    file.Write(kNoFooterAreas, sizeof kNoFooterAreas);
    file.Write(kSignature, sizeof kSignature);
    return file.Close() ? 1 : 0;
}
