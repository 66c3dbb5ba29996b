#include <new>
#include <vector>

#include "image/GifLzw.h"
#include "util/BinaryFile.h"

namespace {

constexpr int kMaxCodeWidth = 12;
constexpr int kTableSize = 1 << kMaxCodeWidth;
// One expanded string: every table entry adds at most one byte to the longest chain.
constexpr int kStackSize = kTableSize + 1;

// Codes packed least-significant bit first into data sub-blocks (a length byte, then that
// many bytes). A zero length, the end of the file or a short block ends the data.
class CodeReader {
  public:
    explicit CodeReader(InputFile& in) : file(in) {}

    // The next code of the given width, or -1 when the data has ended.
    int Read(int width) {
        while (bitCount < width) {
            const int byte = NextByte();
            if (byte < 0) return -1;
            bits |= static_cast<uint32_t>(byte) << bitCount;
            bitCount += 8;
        }
        const int code = static_cast<int>(bits & ((1u << width) - 1));
        bits >>= width;
        bitCount -= width;
        return code;
    }

  private:
    int NextByte() {
        if (position == blockSize && !Refill()) return -1;
        return block[position++];
    }
    bool Refill() {
        uint8_t size = 0;
        if (ended || !file.ReadExactly(&size, 1) || size == 0) {
            ended = true;
            return false;
        }
        blockSize = static_cast<int>(file.Read(block, size));
        position = 0;
        if (blockSize < size) ended = true;
        return blockSize > 0;
    }

    InputFile& file;
    uint8_t block[255] = {};
    int blockSize = 0;
    int position = 0;
    bool ended = false;
    uint32_t bits = 0;
    int bitCount = 0;
};

// Collects pixels into lines for the sink.
class LineBuffer {
  public:
    LineBuffer(int length, GifLineSink& out) : pixels(static_cast<size_t>(length)), sink(out) {}

    // False once the sink wants no more.
    bool Put(uint8_t pixel) {
        pixels[count++] = pixel;
        if (count == pixels.size()) {
            wanted = sink.TakeLine(pixels.data(), static_cast<int>(count));
            count = 0;
        }
        return wanted;
    }
    void FlushPartial() {
        if (count > 0 && wanted) sink.TakeLine(pixels.data(), static_cast<int>(count));
        count = 0;
    }

  private:
    std::vector<uint8_t> pixels;
    size_t count = 0;
    GifLineSink& sink;
    bool wanted = true;
};

struct StringTable {
    uint16_t prefix[kTableSize];
    uint8_t suffix[kTableSize];
    uint8_t stack[kStackSize];
};

class Decoder {
  public:
    Decoder(int codeSize, StringTable& t)
        : table(t),
          minimumWidth(codeSize + 1),
          clear(1 << codeSize),
          end(clear + 1),
          firstFree(clear + 2) {
        Reset();
    }

    void Run(CodeReader& codes, LineBuffer& line) {
        // The data starts as if after a clear code, so a stream that omits the first clear
        // decodes the same as one that has it.
        bool afterClear = true;
        for (;;) {
            int code = codes.Read(width);
            if (code < 0 || code == end) break;
            if (code == clear) {
                Reset();
                afterClear = true;
                continue;
            }
            if (afterClear) {
                afterClear = false;
                if (code >= nextFree) code = 0;
                oldCode = firstChar = code;
                if (!line.Put(static_cast<uint8_t>(code))) return;
                continue;
            }
            int depth = 0;
            if (!Expand(code, depth)) break;
            while (depth > 0) {
                if (!line.Put(table.stack[--depth])) return;
            }
        }
        line.FlushPartial();
    }

  private:
    void Reset() {
        width = minimumWidth;
        slotLimit = 1 << width;
        nextFree = firstFree;
    }

    // Pushes the string of code onto the stack, last pixel first, and grows the table.
    // False when a corrupt table would make the string longer than any real one.
    bool Expand(int code, int& depth) {
        const int thisCode = code;
        if (code >= nextFree) {
            // Not yet defined: the previous string plus its own first pixel.
            table.stack[depth++] = static_cast<uint8_t>(firstChar);
            code = oldCode;
        }
        while (code >= firstFree) {
            if (depth >= kStackSize - 1) return false;
            table.stack[depth++] = table.suffix[code];
            code = table.prefix[code];
        }
        table.stack[depth++] = static_cast<uint8_t>(code);
        if (nextFree < slotLimit) {
            table.suffix[nextFree] = static_cast<uint8_t>(code);
            table.prefix[nextFree] = static_cast<uint16_t>(oldCode);
            ++nextFree;
            firstChar = code;
            oldCode = thisCode;
        }
        if (nextFree >= slotLimit && width < kMaxCodeWidth) {
            slotLimit <<= 1;
            ++width;
        }
        return true;
    }

    StringTable& table;
    const int minimumWidth;
    const int clear;
    const int end;
    const int firstFree;
    int width = 0;
    int slotLimit = 0;
    int nextFree = 0;
    int oldCode = 0;
    int firstChar = 0;
};

}  // namespace

void DecodeGifData(InputFile& file, int lineLength, GifLineSink& sink) {
    uint8_t codeSize = 0;
    if (lineLength <= 0 || !file.ReadExactly(&codeSize, 1)) return;
    if (codeSize < 2 || codeSize > 9) return;
    std::unique_ptr<StringTable> table(new (std::nothrow) StringTable());
    if (!table) return;
    CodeReader codes(file);
    LineBuffer line(lineLength, sink);
    Decoder(codeSize, *table).Run(codes, line);
}
