#pragma once

#include <cstdint>

#include "deep/DeepPicture.h"
#include "image/Image.h"
#include "image/RgbAccess.h"

// The pixel types per-pixel loops are written once over: what a sample is, how samples are
// summed and finished, and how a picture's pixels are read and written.

inline bool HasPixels(const CImage& picture) {
    return picture.HasImage() != 0;
}
inline bool HasPixels(const DeepPicture& picture) {
    return picture.HasPicture();
}

// The pictures' own 8 bits: integer sums, truncated once at the end; no alpha.
struct EightBitPixels {
    using Picture = CImage;
    struct Sample {
        uint8_t red = 0, green = 0, blue = 0;
    };
    struct Sum {
        int red = 0, green = 0, blue = 0;
        void Add(int weight, const Sample& s) {
            red += weight * s.red;
            green += weight * s.green;
            blue += weight * s.blue;
        }
        // A colour of 0-255 levels given as numbers (an off-map colour).
        void AddLevels(int r, int g, int b) {
            red += r;
            green += g;
            blue += b;
        }
        Sample Finish(int total) const {
            return {static_cast<uint8_t>(red / total), static_cast<uint8_t>(green / total),
                    static_cast<uint8_t>(blue / total)};
        }
    };
    class Reader {
      public:
        explicit Reader(const Picture& picture) : reader(picture) {}
        bool Get(int x, int y, Sample& s) const { return reader.Get(x, y, s.red, s.green, s.blue); }

      private:
        RgbReader reader;
    };
    class Writer {
      public:
        explicit Writer(Picture& picture) : writer(picture) {}
        void Set(int x, int y, const Sample& s) const { writer.Set(x, y, s.red, s.green, s.blue); }

      private:
        RgbWriter writer;
    };
};

// Float samples with alpha, summed in float and never rounded: integer files round once,
// when they are written.
struct DeepPixels {
    using Picture = DeepPicture;
    struct Sample {
        float channel[DeepPicture::kChannels] = {0, 0, 0, 0};
    };
    struct Sum {
        float channel[DeepPicture::kChannels] = {0, 0, 0, 0};
        void Add(int weight, const Sample& s) {
            for (int c = 0; c < DeepPicture::kChannels; ++c) {
                channel[c] += static_cast<float>(weight) * s.channel[c];
            }
        }
        void AddLevels(int r, int g, int b) {
            channel[0] += static_cast<float>(r) / 255.0f;
            channel[1] += static_cast<float>(g) / 255.0f;
            channel[2] += static_cast<float>(b) / 255.0f;
            channel[3] += 1.0f;
        }
        Sample Finish(int total) const {
            Sample s;
            for (int c = 0; c < DeepPicture::kChannels; ++c) {
                s.channel[c] = channel[c] / static_cast<float>(total);
            }
            return s;
        }
    };
    class Reader {
      public:
        explicit Reader(const Picture& picture) : picture(picture) {}
        bool Get(int x, int y, Sample& s) const {
            if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) return false;
            const float* p = picture.Pixel(x, y);
            for (int c = 0; c < DeepPicture::kChannels; ++c) s.channel[c] = p[c];
            return true;
        }

      private:
        const Picture& picture;
    };
    class Writer {
      public:
        explicit Writer(Picture& picture) : picture(picture) {}
        void Set(int x, int y, const Sample& s) const {
            if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) return;
            float* p = picture.Pixel(x, y);
            for (int c = 0; c < DeepPicture::kChannels; ++c) p[c] = s.channel[c];
        }

      private:
        Picture& picture;
    };
};
