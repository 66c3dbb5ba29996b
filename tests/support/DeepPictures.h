#pragma once

#include <gtest/gtest.h>

#include "deep/DeepPicture.h"
#include "image/Image.h"

// An 8-bit picture as a deep one: each level as its fraction of 255, no alpha.
inline DeepPicture DeepOf(const CImage& picture) {
    DeepPicture deep;
    EXPECT_TRUE(deep.Create(picture.Width(), picture.Height(), false));
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            uint8_t rgb[3];
            picture.GetRGB(x, y, rgb[0], rgb[1], rgb[2]);
            for (int c = 0; c < 3; ++c) deep.Pixel(x, y)[c] = rgb[c] / 255.0f;
        }
    }
    return deep;
}
