#include <gtest/gtest.h>

#include <vector>

#include "mapdoc/DomeTexture.h"

namespace {

TEST(DomeTexture, SamplesEveryFewColumnsAndRowsOfTheRectangle) {
    // Rows of 1800 pixels need no padding; rows of 1801 do, so a texture that ignored the
    // stored row length would show it.
    for (int width : {1800, 1801}) {
        CImage picture;
        picture.Create(width, 486, 24, -1);
        for (int y = 0; y < 486; ++y) {
            for (int x = 0; x < width; ++x) picture.SetRGB(x, y, x & 255, x >> 8, y & 255);
        }
        std::vector<uint8_t> texture(kDomeTextureSize * kDomeTextureSize * 3);
        MakeDomeTexture(picture, texture.data());
        auto texel = [&](int r, int c) { return &texture[(static_cast<size_t>(r) * 256 + c) * 3]; };
        // Columns 0, 7, 14, ... (c * 1800 / 256) and rows 0, 1, 3, ... (r * 486 / 256).
        EXPECT_EQ(texel(0, 1)[0], 7);
        EXPECT_EQ(texel(0, 2)[0], 14);
        EXPECT_EQ(texel(2, 0)[2], 3);
        for (int r = 0; r < 256; r += 17) {
            for (int c = 0; c < 256; c += 13) {
                const int x = c * width / 256, y = r * 486 / 256;
                ASSERT_EQ(texel(r, c)[0], x & 255) << width << ": " << r << "," << c;
                ASSERT_EQ(texel(r, c)[1], x >> 8);
                ASSERT_EQ(texel(r, c)[2], y & 255);
            }
        }
    }
}

}  // namespace
