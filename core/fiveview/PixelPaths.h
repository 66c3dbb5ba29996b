#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "deep/DeepPicture.h"
#include "fiveview/FaceGeometry.h"
#include "fiveview/FaceReaders.h"
#include "image/BilinearPosition.h"

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
        explicit Faces(const FaceArray& faces) : pictures(faces), readers(ReadersOf(faces)) {}
        bool Get(int face, int x, int y, Sample& s) const {
            return readers[static_cast<size_t>(face)].Get(x, y, s.red, s.green, s.blue);
        }
        // EWA's weighted sum of one face pixel, and its read between pixels.
        void AddWeighted(int face, int x, int y, double weight, double* sums) const {
            Sample s;
            Get(face, x, y, s);
            sums[0] += weight * s.red;
            sums[1] += weight * s.green;
            sums[2] += weight * s.blue;
        }
        Sample Bilinear(int face, double x, double y) const {
            Sample s;
            pictures[static_cast<size_t>(face)].GetRGBBilinear(x, y, s.red, s.green, s.blue);
            return s;
        }

      private:
        const FaceArray& pictures;
        FaceReaders readers;
    };
    // EWA's weighted mean, truncated into the byte.
    static Sample Average(const double* sums, double weightSum) {
        return {Byte(sums[0] / weightSum), Byte(sums[1] / weightSum), Byte(sums[2] / weightSum)};
    }
    static uint8_t Byte(double value) {
        return static_cast<uint8_t>(std::clamp(value, 0.0, 255.0));
    }
    class Writer {
      public:
        explicit Writer(Output& output) : writer(output) {}
        void Set(int x, int y, const Sample& s) const { writer.Set(x, y, s.red, s.green, s.blue); }

      private:
        RgbWriter writer;
    };
};

// The 8-bit pictures with their alpha planes, for the filter that carries alpha (EWA).
struct EightBitAlphaPath {
    using FaceArray = FacePictures;
    using Output = CImage;
    struct Sample {
        uint8_t channel[4] = {0, 0, 0, 255};
    };
    class Faces {
      public:
        explicit Faces(const FaceArray& faces) : pictures(faces) {}
        void AddWeighted(int face, int x, int y, double weight, double* sums) const {
            Sample s;
            uint8_t* c = s.channel;
            pictures[static_cast<size_t>(face)].GetRGBA(x, y, c[0], c[1], c[2], c[3]);
            for (int k = 0; k < 4; ++k) sums[k] += weight * c[k];
        }
        Sample Bilinear(int face, double x, double y) const {
            Sample s;
            uint8_t* c = s.channel;
            pictures[static_cast<size_t>(face)].GetRGBABilinear(x, y, c[0], c[1], c[2], c[3]);
            return s;
        }

      private:
        const FaceArray& pictures;
    };
    static Sample Average(const double* sums, double weightSum) {
        Sample s;
        for (int k = 0; k < 4; ++k) s.channel[k] = EightBitPath::Byte(sums[k] / weightSum);
        return s;
    }
    class Writer {
      public:
        explicit Writer(Output& output) : output(output) {}
        void Set(int x, int y, const Sample& s) const {
            output.SetRGBA(x, y, s.channel[0], s.channel[1], s.channel[2], s.channel[3]);
        }

      private:
        Output& output;
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
        void AddWeighted(int face, int x, int y, double weight, double* sums) const {
            Sample s;
            Get(face, x, y, s);
            for (int c = 0; c < DeepPicture::kChannels; ++c) sums[c] += weight * s.channel[c];
        }
        // The 8-bit pictures' bilinear read (the same four pixels and fractions), in float.
        Sample Bilinear(int face, double x, double y) const {
            const DeepPicture& picture = faces[static_cast<size_t>(face)];
            const auto [x0, y0, x1, y1, fx, fy] =
                BilinearPositionOf(x, y, picture.Width(), picture.Height());
            const float *p00 = picture.Pixel(x0, y0), *p01 = picture.Pixel(x0, y1);
            const float *p10 = picture.Pixel(x1, y0), *p11 = picture.Pixel(x1, y1);
            Sample s;
            for (int c = 0; c < DeepPicture::kChannels; ++c) {
                const double left = fy * (p01[c] - p00[c]) + p00[c];
                const double right = fy * (p11[c] - p10[c]) + p10[c];
                s.channel[c] = static_cast<float>(fx * (right - left) + left);
            }
            return s;
        }

      private:
        const FaceArray& faces;
    };
    static Sample Average(const double* sums, double weightSum) {
        Sample s;
        for (int c = 0; c < DeepPicture::kChannels; ++c) {
            s.channel[c] = static_cast<float>(sums[c] / weightSum);
        }
        return s;
    }
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
