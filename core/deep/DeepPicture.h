#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A picture of float samples for the pipelines that carry more than 8 bits: red, green, blue
// and alpha for every pixel, rows from the bottom up as CImage keeps them. Integer files are
// read as fractions of their largest value (0 to 1); float files keep their values, above 1
// and below 0 included. A picture without alpha has alpha 1 throughout.
class DeepPicture {
  public:
    static constexpr int kChannels = 4;
    // At most this many bytes of samples (a 16384 x 16384 picture).
    static constexpr int64_t kMaxBytes = int64_t{4} << 30;

    // False (and no picture) for a size of 0, one past 65535 a side or the byte limit, or no
    // memory.
    bool Create(int width, int height, bool alpha);
    bool HasPicture() const { return width > 0; }
    int Width() const { return width; }
    int Height() const { return height; }
    bool HasAlpha() const { return alpha; }

    float* Pixel(int x, int y) { return samples.data() + Offset(x, y); }
    const float* Pixel(int x, int y) const { return samples.data() + Offset(x, y); }

  private:
    size_t Offset(int x, int y) const {
        return (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) *
               kChannels;
    }

    int width = 0;
    int height = 0;
    bool alpha = false;
    std::vector<float> samples;
};

// How a deep picture's samples are written.
enum class SampleDepth { k8, k16, kHalf, kFloat };

// An integer file's sample from a fraction: rounded once, clamped to the type's range.
inline uint16_t ToSample16(float value) {
    const float scaled = value * 65535.0f + 0.5f;
    if (!(scaled > 0)) return 0;
    return scaled >= 65535.0f ? 65535 : static_cast<uint16_t>(scaled);
}
inline uint8_t ToSample8(float value) {
    const float scaled = value * 255.0f + 0.5f;
    if (!(scaled > 0)) return 0;
    return scaled >= 255.0f ? 255 : static_cast<uint8_t>(scaled);
}
