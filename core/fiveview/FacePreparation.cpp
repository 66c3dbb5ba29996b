#include "fiveview/FacePreparation.h"

#include <cstring>

namespace {

int CreateLike(const CImage& source, CImage& target, int width, int height) {
    return target.Create(width, height, source.AlphaBits() ? 32 : 24, -1);
}
int CreateLike(const DeepPicture& source, DeepPicture& target, int width, int height) {
    return target.Create(width, height, source.HasAlpha()) ? 1 : 0;
}

void CopyPixel(const CImage& source, int sx, int sy, CImage& target, int tx, int ty) {
    uint8_t r = 0, g = 0, b = 0, a = 255;
    if (source.AlphaBits()) {
        source.GetRGBA(sx, sy, r, g, b, a);
        target.SetRGBA(tx, ty, r, g, b, a);
    } else {
        source.GetRGB(sx, sy, r, g, b);
        target.SetRGB(tx, ty, r, g, b);
    }
}
void CopyPixel(const DeepPicture& source, int sx, int sy, DeepPicture& target, int tx, int ty) {
    std::memcpy(target.Pixel(tx, ty), source.Pixel(sx, sy), DeepPicture::kChannels * sizeof(float));
}

template <class Picture>
int Crop(const Picture& source, Picture& target, int k) {
    const int width = source.Width() - 2 * k, height = source.Height() - 2 * k;
    if (width <= 0 || height <= 0) return 0;
    if (!CreateLike(source, target, width, height)) return 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) CopyPixel(source, x + k, y + k, target, x, y);
    }
    return 1;
}

template <class Picture>
int Expand(const Picture& source, Picture& target) {
    const int width = source.Width(), height = source.Height();
    if (!CreateLike(source, target, width, 2 * height)) return 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) CopyPixel(source, x, y, target, x, y + height);
    }
    return 1;
}

}  // namespace

int CropFace(const CImage& source, CImage& target, int k) {
    return Crop(source, target, k);
}
int CropFace(const DeepPicture& source, DeepPicture& target, int k) {
    return Crop(source, target, k);
}

int ExpandHalfPan(const CImage& source, CImage& target) {
    return Expand(source, target);
}
int ExpandHalfPan(const DeepPicture& source, DeepPicture& target) {
    return Expand(source, target);
}
