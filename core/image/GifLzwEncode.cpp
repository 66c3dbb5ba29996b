#include <algorithm>
#include <new>

#include "image/GifLzw.h"
#include "util/BinaryFile.h"

namespace {

constexpr int kInitialWidth = 9;  // 8-bit pixels
constexpr int kClearCode = 256;
constexpr int kEndCode = 257;
constexpr int kFirstFree = 258;
constexpr int kMaxWidth = 12;
constexpr int kTableLimit = 1 << kMaxWidth;
constexpr int kHashSize = 5003;  // a prime a little above the table limit, for ~80% fill
constexpr int kHashShift = 4;
constexpr int kBlockBytes = 254;

}  // namespace

// A slot holds the key (pixel << 12) + prefix code of one string and that string's code;
// an empty slot holds key -1.
struct GifLzwEncoder::Tables {
    int32_t keys[kHashSize];
    uint16_t codes[kHashSize];
    uint8_t block[kBlockBytes];
    int blockCount = 0;
};

std::unique_ptr<GifLzwEncoder> GifLzwEncoder::Make(OutputFile& file) {
    std::unique_ptr<Tables> tables(new (std::nothrow) Tables());
    if (!tables) return nullptr;
    GifLzwEncoder* encoder = new (std::nothrow) GifLzwEncoder(file, std::move(tables));
    return std::unique_ptr<GifLzwEncoder>(encoder);
}

GifLzwEncoder::GifLzwEncoder(OutputFile& out, std::unique_ptr<Tables> t)
    : file(out), tables(std::move(t)) {
    ResetTable();
    Emit(kClearCode);
}

GifLzwEncoder::~GifLzwEncoder() = default;

void GifLzwEncoder::ResetTable() {
    std::fill(std::begin(tables->keys), std::end(tables->keys), -1);
    nextFree = kFirstFree;
}

void GifLzwEncoder::Put(const uint8_t* pixels, size_t count) {
    size_t i = 0;
    if (current < 0 && count > 0) current = pixels[i++];
    for (; i < count; ++i) Add(pixels[i]);
}

void GifLzwEncoder::Add(uint8_t pixel) {
    const int32_t key = (int32_t{pixel} << kMaxWidth) + current;
    int slot = (pixel << kHashShift) ^ current;
    if (tables->keys[slot] == key) {
        current = tables->codes[slot];
        return;
    }
    if (tables->keys[slot] >= 0) {
        const int step = slot == 0 ? 1 : kHashSize - slot;
        do {
            slot -= step;
            if (slot < 0) slot += kHashSize;
            if (tables->keys[slot] == key) {
                current = tables->codes[slot];
                return;
            }
        } while (tables->keys[slot] > 0);
    }
    Emit(current);
    current = pixel;
    if (nextFree < kTableLimit) {
        tables->codes[slot] = static_cast<uint16_t>(nextFree++);
        tables->keys[slot] = key;
    } else {
        ResetTable();
        clearPending = true;
        Emit(kClearCode);
    }
}

void GifLzwEncoder::Finish() {
    if (current >= 0) Emit(current);
    Emit(kEndCode);
    while (accumulatedBits > 0) {
        PutByte(static_cast<uint8_t>(accumulator));
        accumulator >>= 8;
        accumulatedBits = std::max(accumulatedBits - 8, 0);
    }
    if (tables->blockCount > 0) WriteBlock();
}

// Codes go out least-significant bit first. The width changes after the code that the
// decoder, one table entry behind, reads at the old width.
void GifLzwEncoder::Emit(int code) {
    accumulator |= static_cast<uint32_t>(code) << accumulatedBits;
    accumulatedBits += codeWidth;
    while (accumulatedBits >= 8) {
        PutByte(static_cast<uint8_t>(accumulator));
        accumulator >>= 8;
        accumulatedBits -= 8;
    }
    if (clearPending) {
        codeWidth = kInitialWidth;
        largestCode = (1 << codeWidth) - 1;
        clearPending = false;
    } else if (nextFree > largestCode) {
        ++codeWidth;
        largestCode = codeWidth == kMaxWidth ? kTableLimit : (1 << codeWidth) - 1;
    }
}

void GifLzwEncoder::PutByte(uint8_t byte) {
    tables->block[tables->blockCount++] = byte;
    if (tables->blockCount == kBlockBytes) WriteBlock();
}

void GifLzwEncoder::WriteBlock() {
    file.Put(static_cast<uint8_t>(tables->blockCount));
    file.Write(tables->block, static_cast<size_t>(tables->blockCount));
    tables->blockCount = 0;
}
