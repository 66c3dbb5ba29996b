#include "mapdoc/DomeTexture.h"

#include <cstring>

void MakeDomeTexture(const CImage& picture, uint8_t* buffer) {
    std::memset(buffer, 0, kDomeTextureSize * kDomeTextureSize * 3);
    if (!picture.HasImage()) return;
    const int64_t width = picture.Width(), height = picture.Height();
    const bool direct = picture.BitsPerPixel() == 24 && !picture.GetPalette();
    for (int r = 0; r < kDomeTextureSize; ++r) {
        const int y = static_cast<int>(r * height / kDomeTextureSize);
        // Rows are addressed with the stored (padded) row length.
        const uint8_t* row =
            direct ? picture.Bits() + static_cast<size_t>(y) * picture.RowBytes() : nullptr;
        for (int c = 0; c < kDomeTextureSize; ++c) {
            const int x = static_cast<int>(c * width / kDomeTextureSize);
            uint8_t* out = buffer + (static_cast<size_t>(r) * kDomeTextureSize + c) * 3;
            if (direct) {
                const uint8_t* pixel = row + static_cast<size_t>(x) * 3;
                out[0] = pixel[2];
                out[1] = pixel[1];
                out[2] = pixel[0];
            } else {
                picture.GetRGB(x, y, out[0], out[1], out[2]);
            }
        }
    }
}
