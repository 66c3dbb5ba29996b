#include <gtest/gtest.h>

#include "gui/mapdoc/MosaView.h"
#include "gui/transforms/ImageView.h"
#include "gui/widgets/PictureImage.h"

namespace {

TEST(PictureImage, TopRowFirstAndTransparentIndexSeeThrough) {
    CImage picture;
    picture.Create(3, 2, 8, -1);
    const uint8_t palette[] = {10, 20, 30, 200, 100, 50};
    picture.SetPaletteTriples(2, palette);
    picture.SetIndex(0, 1, 1);  // top row, left
    picture.GetImpl()->SetTransparentIndex(0);
    const QImage shown = PictureImage(picture);
    ASSERT_EQ(shown.size(), QSize(3, 2));
    EXPECT_EQ(shown.pixel(0, 0), qRgb(200, 100, 50)) << "the top row comes first";
    EXPECT_EQ(qAlpha(shown.pixel(1, 0)), 0) << "index 0 is the transparent colour";
    EXPECT_EQ(qAlpha(shown.pixel(2, 1)), 0);

    CImage opaque;
    opaque.Create(2, 2, 24, -1);
    opaque.SetRGB(1, 0, 1, 2, 3);
    EXPECT_EQ(PictureImage(opaque).pixel(1, 1), qRgb(1, 2, 3));
}

TEST(WindowShapes, ImageWindowsKeepThePictureAspect) {
    EXPECT_EQ(AspectFittedClient({400, 300}, 2.0), QSize(400, 200));
    EXPECT_EQ(AspectFittedClient({400, 300}, 1.0), QSize(300, 300));
    EXPECT_EQ(AspectFittedClient({401, 300}, 401.0 / 300), QSize(401, 300));
    // Map windows keep their width for wide rectangles and their height otherwise.
    EXPECT_EQ(MapViewClient({600, 400}, 1800.0 / 486), QSize(600, 162));
    EXPECT_EQ(MapViewClient({600, 400}, 0.5), QSize(200, 400));
}

}  // namespace
