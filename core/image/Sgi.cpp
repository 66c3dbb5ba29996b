#include "image/Sgi.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/PictureAllowance.h"
#include "util/BinaryFile.h"

namespace {

constexpr size_t kHeaderSize = 512;
constexpr int kMagic = 474;
// A run-length packet of two bytes stands for up to 127 samples.
constexpr int64_t kRunLengthSamplesPerByte = 64;

int GetBE16(const uint8_t* p) {
    return (p[0] << 8) | p[1];
}

uint32_t GetBE32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

struct SgiLayout {
    bool runLength = false;
    int bytesPerSample = 1;
    int width = 0;
    int height = 0;
    int channels = 0;  // as stored
};

bool ReadLayout(const uint8_t* header, SgiLayout& layout) {
    if (GetBE16(header) != kMagic || header[2] > 1 || header[3] < 1 || header[3] > 2) {
        return false;
    }
    layout.runLength = header[2] == 1;
    layout.bytesPerSample = header[3];
    const int dimension = GetBE16(header + 4);
    layout.width = GetBE16(header + 6);
    layout.height = dimension == 1 ? 1 : GetBE16(header + 8);
    layout.channels = dimension == 3 ? GetBE16(header + 10) : 1;
    return dimension >= 1 && dimension <= 3 && layout.channels >= 1 && layout.width > 0 &&
           layout.height > 0;
}

// The samples of one row of one channel, as 8-bit values; answers whether the row was whole.
class RowSource {
  public:
    RowSource(InputFile& file, const SgiLayout& layout) : file(file), layout(layout) {}

    // Verbatim planes: the rows of every channel one after the other.
    bool ReadVerbatim(int channel, int y, uint8_t* samples) {
        const int64_t rowBytes = int64_t{layout.width} * layout.bytesPerSample;
        const int64_t at =
            static_cast<int64_t>(kHeaderSize) + (int64_t{channel} * layout.height + y) * rowBytes;
        raw.resize(static_cast<size_t>(rowBytes));
        const size_t got = file.Seek(at) ? file.Read(raw.data(), raw.size()) : 0;
        std::memset(raw.data() + got, 0, raw.size() - got);
        for (int x = 0; x < layout.width; ++x) samples[x] = raw[SampleByte(x)];
        return got == raw.size();
    }

    // Run-length rows: packets of a count (high bit: that many samples follow; else the next
    // sample repeats that often), ending at a count of 0 or the row's end.
    bool ReadRunLength(int64_t start, int64_t length, uint8_t* samples) {
        std::memset(samples, 0, static_cast<size_t>(layout.width));
        const int64_t longest = int64_t{layout.width} * layout.bytesPerSample * 2 + 8;
        if (start < 0 || length < 0 || start > file.Size()) return false;
        raw.resize(static_cast<size_t>(std::min({length, longest, file.Size() - start})));
        if (!file.Seek(start) || file.Read(raw.data(), raw.size()) != raw.size()) return false;
        const size_t step = static_cast<size_t>(layout.bytesPerSample);
        size_t i = 0;
        int x = 0;
        while (i + step <= raw.size()) {
            const int count = raw[i + step - 1] & 0x7F;  // the low byte of the packet's word
            const bool literal = (raw[i + step - 1] & 0x80) != 0;
            i += step;
            if (count == 0) return x >= layout.width;
            for (int k = 0; k < count; ++k) {
                if (i + step > raw.size()) return false;
                if (x < layout.width) samples[x++] = raw[i];  // the high byte of a word
                if (literal) i += step;
            }
            if (!literal) i += step;
        }
        return x >= layout.width;
    }

  private:
    size_t SampleByte(int x) const { return static_cast<size_t>(x) * layout.bytesPerSample; }

    InputFile& file;
    const SgiLayout& layout;
    std::vector<uint8_t> raw;
};

}  // namespace

int CRgbImpl::Read(const std::string& name) {
    AdoptName(name);
    ReleaseAll();
    InputFile file(name);
    if (!file.IsOpen()) return 0;
    uint8_t header[kHeaderSize];
    SgiLayout layout;
    if (!file.ReadExactly(header, kHeaderSize) || !ReadLayout(header, layout)) return 0;
    const int64_t dataBytes = file.Size() - file.Position();
    const int64_t declared = int64_t{layout.width} * layout.height;
    const int64_t fillable =
        layout.runLength
            ? dataBytes * kRunLengthSamplesPerByte / layout.channels
            : allowance::PlainPixels(dataBytes, int64_t{layout.channels} * layout.bytesPerSample);
    if (!allowance::DataCanStandFor(declared, fillable)) return 0;

    // The offset and length tables of run-length rows: row y of channel c at y + c * height.
    const int64_t rowCount = int64_t{layout.height} * layout.channels;
    std::vector<uint8_t> tables;
    if (layout.runLength) {
        if (rowCount * 8 > dataBytes) return 0;
        tables.resize(static_cast<size_t>(rowCount * 8));
        if (!file.ReadExactly(tables.data(), tables.size())) return 0;
    }

    const bool grey = layout.channels < 3;
    const bool alpha = layout.channels == 2 || layout.channels >= 4;
    if (!Create(layout.width, layout.height, alpha ? 32 : 24, -1)) return 0;

    // The picture's byte of each channel: red, green, blue are stored blue, green, red.
    const int colourChannels = grey ? 1 : 3;
    const int alphaChannel = grey ? 1 : 3;
    RowSource source(file, layout);
    std::vector<uint8_t> samples(static_cast<size_t>(layout.width));
    bool complete = true;
    int wholeRows = 0;
    for (int y = 0; y < layout.height; ++y) {
        bool rowWhole = true;
        for (int channel = 0; channel < colourChannels + (alpha ? 1 : 0); ++channel) {
            const int stored = channel < colourChannels ? channel : alphaChannel;
            bool got = false;
            if (layout.runLength) {
                const size_t entry = static_cast<size_t>(int64_t{stored} * layout.height + y) * 4;
                got = source.ReadRunLength(GetBE32(tables.data() + entry),
                                           GetBE32(tables.data() + rowCount * 4 + entry),
                                           samples.data());
            } else {
                got = source.ReadVerbatim(stored, y, samples.data());
            }
            rowWhole = rowWhole && got;
            if (channel == colourChannels) {
                for (int x = 0; x < layout.width; ++x) SetAlpha(x, y, samples[x]);
                continue;
            }
            uint8_t* p = bits + static_cast<size_t>(y) * rowBytes;
            if (grey) {
                for (int x = 0; x < layout.width; ++x, p += 3) p[0] = p[1] = p[2] = samples[x];
            } else {
                p += 2 - channel;
                for (int x = 0; x < layout.width; ++x, p += 3) *p = samples[x];
            }
        }
        complete = complete && rowWhole;
        if (rowWhole) ++wholeRows;
    }
    RecordRowsRead(wholeRows);
    return complete ? 1 : 0;
}
