#pragma once

#include <array>
#include <cstdint>

#include "deep/DeepPicture.h"
#include "fiveview/FaceGeometry.h"
#include "fiveview/FaceReaders.h"

// The pixel types the renderers run on. A path names its faces and output, how a face pixel
// is read into a Sample, how the weighted samples of a pixel are summed and finished, and how
// an output pixel is written; the renderers are written once over any path.

// The pictures' own 8 bits: integer sums, truncated once at the end; no alpha.
struct EightBitPath {
    using FaceArray = FacePictures;
    using Output = CImage;
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
        Sample Finish(int total) const {
            return {static_cast<uint8_t>(red / total), static_cast<uint8_t>(green / total),
                    static_cast<uint8_t>(blue / total)};
        }
    };
    class Faces {
      public:
        explicit Faces(const FaceArray& faces) : readers(ReadersOf(faces)) {}
        bool Get(int face, int x, int y, Sample& s) const {
            return readers[static_cast<size_t>(face)].Get(x, y, s.red, s.green, s.blue);
        }

      private:
        FaceReaders readers;
    };
    class Writer {
      public:
        explicit Writer(Output& output) : writer(output) {}
        void Set(int x, int y, const Sample& s) const { writer.Set(x, y, s.red, s.green, s.blue); }

      private:
        RgbWriter writer;
    };
};

// Float samples with alpha, summed in float and never rounded: integer files round once,
// when they are written.
struct DeepPath {
    using FaceArray = std::array<DeepPicture, kFaceCount>;
    using Output = DeepPicture;
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
        Sample Finish(int total) const {
            Sample s;
            for (int c = 0; c < DeepPicture::kChannels; ++c) {
                s.channel[c] = channel[c] / static_cast<float>(total);
            }
            return s;
        }
    };
    class Faces {
      public:
        explicit Faces(const FaceArray& faces) : faces(faces) {}
        bool Get(int face, int x, int y, Sample& s) const {
            const DeepPicture& picture = faces[static_cast<size_t>(face)];
            if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) return false;
            const float* p = picture.Pixel(x, y);
            for (int c = 0; c < DeepPicture::kChannels; ++c) s.channel[c] = p[c];
            return true;
        }

      private:
        const FaceArray& faces;
    };
    class Writer {
      public:
        explicit Writer(Output& output) : output(output) {}
        void Set(int x, int y, const Sample& s) const {
            if (x < 0 || y < 0 || x >= output.Width() || y >= output.Height()) return;
            float* p = output.Pixel(x, y);
            for (int c = 0; c < DeepPicture::kChannels; ++c) p[c] = s.channel[c];
        }

      private:
        Output& output;
    };
};

using DeepFaces = DeepPath::FaceArray;
