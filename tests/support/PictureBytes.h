#pragma once

#include <cstdint>
#include <vector>

#include "image/Image.h"

// The rows of a picture as they lie in memory, for comparing renders byte for byte.
inline std::vector<uint8_t> PictureBytes(const CImage& picture) {
    const size_t size = static_cast<size_t>(picture.RowBytes()) * picture.Height();
    return {picture.Bits(), picture.Bits() + size};
}
