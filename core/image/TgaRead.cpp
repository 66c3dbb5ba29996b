#include <algorithm>
#include <cstdio>
#include <vector>

#include "image/PictureAllowance.h"
#include "image/Tga.h"
#include "image/TgaHeader.h"
#include "util/BinaryFile.h"
#include "util/FormatText.h"

namespace {

bool headerDump = false;

// Colour-map entry numbers run from 0 to 16382.
constexpr int kMapEntryLimit = 16384;

using Notes = std::vector<std::string>;

// Reads the file through a 4096-byte buffer. Bytes past the end read as zero and mark the
// source short, so a truncated file never yields undefined values.
class TgaByteSource {
  public:
    explicit TgaByteSource(InputFile& file)
        : file(file), consumed(static_cast<size_t>(file.Position())) {}

    uint8_t Next() {
        ++consumed;
        if (position == filled && !Refill()) {
            shortRead = true;
            return 0;
        }
        return buffer[position++];
    }
    void Skip(int count) {
        for (int i = 0; i < count; ++i) Next();
    }
    bool Short() const { return shortRead; }
    // Bytes of the file not yet handed out.
    int64_t Remaining() const { return file.Size() - static_cast<int64_t>(consumed); }

  private:
    bool Refill() {
        filled = file.Read(buffer, sizeof buffer);
        position = 0;
        return filled > 0;
    }

    InputFile& file;
    uint8_t buffer[4096];
    size_t position = 0;
    size_t filled = 0;
    size_t consumed;  // from the start of the file, past its end when short
    bool shortRead = false;
};

// What the header says about the pixels, checked.
struct TgaFormat {
    bool mapped = false;
    bool grey = false;
    bool runLength = false;
    bool withAlpha = false;  // 32-bit colour pixels: the fourth byte goes to an alpha plane
    bool greyAlpha = false;  // 16-bit grey pixels: grey in the low byte, alpha in the high one
    int pixelSize = 0;
    int channelMaximum = 255;
};

struct TgaPixel {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t alpha = 0;
};

// 255 for 8-, 24- and 32-bit colours, 31 for 15- and 16-bit ones, 0 for any other size.
int ChannelMaximumOf(int bits) {
    switch (bits) {
        case 8:
        case 24:
        case 32:
            return 255;
        case 15:
        case 16:
            return 31;
        default:
            return 0;
    }
}

bool FormatOf(const TgaHeader& header, TgaFormat& format, Notes& notes) {
    switch (header.imgType) {
        case 1:
        case 2:
        case 9:
        case 10:
            format.withAlpha = header.pixelSize == 32;
            break;
        case 3:
        case 11:
            format.grey = true;
            format.greyAlpha = header.pixelSize == 16;
            format.withAlpha = format.greyAlpha;
            break;
        default:
            notes.push_back(Format("unknown Targa image type %d", header.imgType));
            return false;
    }
    format.mapped = header.imgType == 1 || header.imgType == 9;
    format.runLength = header.imgType >= 9;
    format.pixelSize = header.pixelSize;
    if (format.mapped) {
        if (header.coMapType != 1) {
            notes.push_back(
                Format("mapped image (type %d) with color map type != 1", header.imgType));
            return false;
        }
        format.channelMaximum = ChannelMaximumOf(header.coSize);
        if (!format.channelMaximum) {
            notes.push_back(Format("unknown colormap pixel size - %d", header.coSize));
            return false;
        }
    } else if (format.greyAlpha) {
        format.channelMaximum = 255;
    } else {
        format.channelMaximum = ChannelMaximumOf(header.pixelSize);
        if (!format.channelMaximum) {
            notes.push_back(Format("unknown pixel size - %d", header.pixelSize));
            return false;
        }
    }
    return true;
}

// One colour of the given size as the file stores it (the size is one ChannelMaximumOf
// knows). index is the colour-map entry a pixel of that size names.
TgaPixel ReadColour(TgaByteSource& source, int bits, int& index) {
    TgaPixel p;
    index = 0;
    if (bits == 8) {
        p.blue = p.green = p.red = source.Next();
        index = p.blue;
    } else if (bits == 15 || bits == 16) {
        const uint8_t lo = source.Next(), hi = source.Next();
        index = hi * 256 + lo;
        p.red = (hi >> 2) & 31;
        p.green = static_cast<uint8_t>(((hi & 3) << 3) | (lo >> 5));
        p.blue = lo & 31;
    } else {
        p.blue = source.Next();
        p.green = source.Next();
        p.red = source.Next();
        if (bits == 32) p.alpha = source.Next();
    }
    return p;
}

// Loads entries Index to Index + Length - 1; entries the file does not define stay black.
bool ReadColourMap(TgaByteSource& source, const TgaHeader& header, std::vector<TgaPixel>& map,
                   Notes& notes) {
    const int first = header.MapIndex(), length = header.MapLength();
    if (first + length + 1 >= kMapEntryLimit) {
        notes.push_back(Format("too many colors - %d", first + length + 1));
        return false;
    }
    map.assign(static_cast<size_t>(first + length), TgaPixel{});
    if (length > 0 && !ChannelMaximumOf(header.coSize)) {
        // Only a map the pixels do not use gets here; stepping over its bytes keeps the
        // pixels that follow in place.
        notes.push_back(Format("unknown colormap pixel size (#2) - %d", header.coSize));
        source.Skip(length * ((header.coSize + 7) / 8));
        return true;
    }
    int unused = 0;
    for (int i = first; i < first + length; ++i) {
        const TgaPixel entry = ReadColour(source, header.coSize, unused);
        map[static_cast<size_t>(i)] = {entry.blue, entry.green, entry.red, 0};
    }
    return true;
}

// The file's pixels one after another, run-length packets undone and the colour map
// applied. A packet may run on from one row into the next.
class TgaPixelReader {
  public:
    TgaPixelReader(TgaByteSource& source, const TgaFormat& format, const std::vector<TgaPixel>& map,
                   Notes& notes)
        : source(source), format(format), map(map), notes(notes) {}

    TgaPixel Next() {
        if (!format.runLength) return last = ReadPixel();
        if (remaining == 0) {
            const uint8_t packet = source.Next();
            inRun = (packet & 0x80) != 0;
            remaining = packet & 0x7F;
            return last = ReadPixel();
        }
        --remaining;
        if (!inRun) last = ReadPixel();
        return last;
    }

  private:
    TgaPixel ReadPixel() {
        if (!ChannelMaximumOf(format.pixelSize)) {
            // Once per file, not once per pixel: the previous pixel stands in.
            if (!warned) notes.push_back(Format("unknown pixel size (#2) - %d", format.pixelSize));
            warned = true;
            return last;
        }
        if (format.greyAlpha) {
            TgaPixel p;
            p.blue = p.green = p.red = source.Next();
            p.alpha = source.Next();
            return p;
        }
        int index = 0;
        TgaPixel p = ReadColour(source, format.pixelSize, index);
        if (format.mapped) {
            // An index outside the loaded map names no colour: black.
            const TgaPixel entry = static_cast<size_t>(index) < map.size()
                                       ? map[static_cast<size_t>(index)]
                                       : TgaPixel{};
            p = {entry.blue, entry.green, entry.red, p.alpha};
        }
        return p;
    }

    TgaByteSource& source;
    const TgaFormat& format;
    const std::vector<TgaPixel>& map;
    Notes& notes;
    int remaining = 0;
    bool inRun = false;
    bool warned = false;
    TgaPixel last;
};

// Picture rows (counted from the origin) in file order. An interlaced file holds every
// second or fourth row, then the rows one above those, and so on.
class TgaRowOrder {
  public:
    TgaRowOrder(int height, int interlace)
        : height(height),
          step(interlace == 1   ? 2
               : interlace == 2 ? 4
                                : 1) {}

    int Next() {
        const int v = row;
        row += step;
        if (row >= height) row = ++phase;
        return v;
    }

  private:
    int height;
    int step;
    int row = 0;
    int phase = 0;
};

uint8_t Expand(uint8_t channel, int maximum) {
    return maximum == 255 ? channel : static_cast<uint8_t>(std::min(channel * 255 / maximum, 255));
}

// Bytes one pixel takes in the file; 0 for a size no pixel is read at.
int64_t BytesPerPixel(const TgaFormat& format) {
    return ChannelMaximumOf(format.pixelSize) ? (format.pixelSize + 7) / 8 : 0;
}

// The most pixels the rest of the file can decode to. A run-length packet repeats one pixel
// up to 128 times for a header byte and one pixel's bytes; a raw packet never gives more
// than a pixel per pixel's bytes, so runs are the largest expansion.
int64_t FillablePixels(const TgaFormat& format, int64_t remaining) {
    constexpr int64_t kLongestRun = 128;
    const int64_t pixelBytes = BytesPerPixel(format);
    if (remaining <= 0) return 0;
    if (format.runLength) return kLongestRun * (remaining / (1 + pixelBytes));
    return allowance::PlainPixels(remaining, pixelBytes);
}

// Decodes the rows and answers how many came complete before the file ended.
int DecodePixels(TgaByteSource& source, const TgaHeader& header, const TgaFormat& format,
                 const std::vector<TgaPixel>& map, CImageImpl& image, Notes& problems) {
    TgaPixelReader reader(source, format, map, problems);
    if (!format.runLength && !BytesPerPixel(format)) {
        // Pixels of no known size read no bytes, so each is the first one: black, as the
        // picture already is. Reading them all would only cost time, however large the
        // declared size.
        reader.Next();
        return image.Height();
    }
    TgaRowOrder order(image.Height(), header.intrLve);
    const int width = image.Width(), height = image.Height();
    for (int i = 0; i < height; ++i) {
        const int v = order.Next();
        const size_t y = static_cast<size_t>(header.orgBit ? height - 1 - v : v);
        uint8_t* row = image.Bits() + y * static_cast<size_t>(image.RowBytes());
        uint8_t* alpha = image.AlphaBits()
                             ? image.AlphaBits() + y * static_cast<size_t>(image.AlphaRowBytes())
                             : nullptr;
        for (int x = 0; x < width; ++x, row += 3) {
            const TgaPixel p = reader.Next();
            // What a truncated file does not hold stays as Create left it: black.
            if (source.Short()) return i;
            const uint8_t blue = Expand(p.blue, format.channelMaximum);
            row[0] = blue;
            row[1] = format.grey ? blue : Expand(p.green, format.channelMaximum);
            row[2] = format.grey ? blue : Expand(p.red, format.channelMaximum);
            if (alpha) alpha[x] = p.alpha;
        }
    }
    return height;
}

}  // namespace

void CTgaImpl::SetHeaderDump(bool on) {
    headerDump = on;
}
bool CTgaImpl::HeaderDump() {
    return headerDump;
}

int CTgaImpl::Read(const std::string& name) {
    AdoptName(name);
    ReleaseAll();
    InputFile file(fileName);
    if (!file.IsOpen()) return 0;
    uint8_t bytes[TgaHeader::kSize];
    if (!file.ReadExactly(bytes, sizeof bytes)) return 0;
    const TgaHeader header = UnpackTgaHeader(bytes);
    TgaByteSource source(file);
    source.Skip(header.idLength);
    if (headerDump) DumpTgaHeader(header, problems);

    // Every check comes before the picture is made, so a refused file leaves no pixels.
    TgaFormat format;
    if (!FormatOf(header, format, problems)) return 0;
    std::vector<TgaPixel> map;
    if (header.coMapType != 0 && !ReadColourMap(source, header, map, problems)) return 0;
    const int64_t declared = int64_t{header.Width()} * header.Height();
    if (!allowance::DataCanStandFor(declared, FillablePixels(format, source.Remaining()))) {
        NoteProblem(
            Format("Targa file too short for its %d x %d image", header.Width(), header.Height()));
        return 0;
    }
    if (!Create(header.Width(), header.Height(), format.withAlpha ? 32 : 24, -1)) return 0;
    RecordRowsRead(DecodePixels(source, header, format, map, *this, problems));
    return 1;
}
