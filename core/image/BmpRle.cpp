#include "image/BmpRle.h"

namespace {

class RowWriter {
  public:
    explicit RowWriter(const RleRows& target) : target(target) {}

    void Put(int index) {
        if (x < target.width && y < target.height) {
            uint8_t* row = target.rows + static_cast<size_t>(y) * target.rowBytes;
            if (target.bitCount == 8) {
                row[x] = static_cast<uint8_t>(index);
            } else {
                uint8_t& byte = row[x / 2];
                byte = x % 2 == 0 ? static_cast<uint8_t>((byte & 0x0F) | (index << 4))
                                  : static_cast<uint8_t>((byte & 0xF0) | (index & 0x0F));
            }
        }
        // Past the row's end x stops counting, so a hostile run cannot overflow it.
        if (x < target.width) ++x;
    }
    void EndOfLine() {
        x = 0;
        ++y;
    }
    void Delta(int right, int up) {
        x = x + right < target.width ? x + right : target.width;
        y += up;
    }
    bool Done() const { return y >= target.height; }
    int Row() const { return y; }

  private:
    const RleRows& target;
    int x = 0;
    int y = 0;
};

// The pixel k of a run or an absolute run whose bytes are these.
int PixelOf(int bitCount, uint8_t byte, int k) {
    if (bitCount == 8) return byte;
    return k % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

}  // namespace

int DecodeBmpRle(const uint8_t* data, size_t size, const RleRows& target) {
    RowWriter out(target);
    size_t i = 0;
    while (i + 1 < size && !out.Done()) {
        const int count = data[i], value = data[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k) out.Put(PixelOf(target.bitCount, value, k));
            continue;
        }
        switch (value) {
            case 0:
                out.EndOfLine();
                break;
            case 1:
                return target.height;
            case 2:
                if (i + 1 >= size) return out.Row();
                out.Delta(data[i], data[i + 1]);
                i += 2;
                break;
            default: {
                // An absolute run of value pixels, its bytes padded to an even count.
                const size_t bytes = target.bitCount == 8 ? size_t(value) : (size_t(value) + 1) / 2;
                if (bytes > size - i) return out.Row();
                for (int k = 0; k < value; ++k) {
                    const size_t at = i + (target.bitCount == 8 ? size_t(k) : size_t(k) / 2);
                    out.Put(PixelOf(target.bitCount, data[at], k));
                }
                i += (bytes + 1) & ~size_t{1};
                break;
            }
        }
    }
    return out.Done() ? target.height : out.Row();
}
