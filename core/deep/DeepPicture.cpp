#include "deep/DeepPicture.h"

#include <new>

bool DeepPicture::Create(int newWidth, int newHeight, bool withAlpha) {
    *this = DeepPicture{};
    if (newWidth <= 0 || newHeight <= 0 || newWidth > 65535 || newHeight > 65535) return false;
    const int64_t count = int64_t{newWidth} * newHeight * kChannels;
    if (count * static_cast<int64_t>(sizeof(float)) > kMaxBytes) return false;
    try {
        samples.assign(static_cast<size_t>(count), 0.0f);
    } catch (const std::bad_alloc&) {
        return false;
    }
    width = newWidth;
    height = newHeight;
    alpha = withAlpha;
    if (!alpha) {
        for (size_t i = 3; i < samples.size(); i += kChannels) samples[i] = 1.0f;
    }
    return true;
}
