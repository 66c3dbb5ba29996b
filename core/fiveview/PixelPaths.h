#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "deep/DeepPicture.h"
#include "deep/PixelTypes.h"
#include "fiveview/FaceGeometry.h"
#include "fiveview/FaceReaders.h"
#include "image/BilinearPosition.h"

// The pixel types of deep/PixelTypes.h with the five faces the renderers read: a path names
// its faces and output, how a face pixel is read into a Sample, and EWA's weighted mean and
// read between pixels; the renderers are written once over any path.

struct EightBitPath : EightBitPixels {
    using FaceArray = FacePictures;
    using Output = CImage;
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

struct DeepPath : DeepPixels {
    using FaceArray = std::array<DeepPicture, kFaceCount>;
    using Output = DeepPicture;
    class Faces {
      public:
        explicit Faces(const FaceArray& faces) : faces(faces) {}
        bool Get(int face, int x, int y, Sample& s) const {
            return Reader(faces[static_cast<size_t>(face)]).Get(x, y, s);
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
};

using DeepFaces = DeepPath::FaceArray;
