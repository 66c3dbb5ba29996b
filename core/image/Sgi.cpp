#include "image/Sgi.h"

#include <cstring>
#include <vector>

#include "image/PictureAllowance.h"
#include "util/BinaryFile.h"

namespace {

constexpr size_t kHeaderSize = 512;
constexpr int kMagic = 474;
constexpr int kChannels = 3;

int GetBE16(const uint8_t* p) {
    return (p[0] << 8) | p[1];
}

// Only uncompressed files of three one-byte channels are read.
bool HeaderAccepted(const uint8_t* header) {
    return GetBE16(header) == kMagic && header[2] == 0 && header[3] == 1 &&
           GetBE16(header + 4) == 3 && GetBE16(header + 10) == kChannels;
}

}  // namespace

int CRgbImpl::Read(const std::string& name) {
    AdoptName(name);
    ReleaseAll();
    InputFile file(name);
    if (!file.IsOpen()) return 0;
    uint8_t header[kHeaderSize];
    if (!file.ReadExactly(header, kHeaderSize) || !HeaderAccepted(header)) return 0;
    // Verbatim planes hold one byte of each pixel per channel and nothing more.
    const int declaredWidth = GetBE16(header + 6), declaredHeight = GetBE16(header + 8);
    const int64_t fillable = allowance::PlainPixels(file.Size() - file.Position(), kChannels);
    if (!allowance::DataCanStandFor(int64_t{declaredWidth} * declaredHeight, fillable)) return 0;
    if (!Create(declaredWidth, declaredHeight, 24, -1)) return 0;

    // The pixel byte of each channel: red, green, blue are stored blue, green, red.
    constexpr int kByteOfChannel[kChannels] = {2, 1, 0};
    std::vector<uint8_t> row(static_cast<size_t>(width));
    bool complete = true;
    int rowsOfLastChannel = 0;
    for (int channel = 0; channel < kChannels && complete; ++channel) {
        for (int y = 0; y < height && complete; ++y) {
            const size_t got = file.Read(row.data(), row.size());
            complete = got == row.size();
            if (complete && channel == kChannels - 1) ++rowsOfLastChannel;
            uint8_t* p = bits + static_cast<size_t>(y) * rowBytes + kByteOfChannel[channel];
            for (size_t x = 0; x < got; ++x, p += 3) *p = row[x];
        }
    }
    // A row is whole once its last channel came.
    RecordRowsRead(rowsOfLastChannel);
    return complete ? 1 : 0;
}
