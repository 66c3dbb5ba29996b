#include "gui/widgets/PictureImage.h"

QImage PictureImage(const CImage& picture) {
    if (!picture.HasImage()) return {};
    const int width = picture.Width(), height = picture.Height();
    const int transparent = picture.TransparentIndex();
    QImage image(width, height, transparent >= 0 ? QImage::Format_ARGB32 : QImage::Format_RGB888);
    if (image.isNull()) return {};
    for (int y = 0; y < height; ++y) {
        const int row = height - 1 - y;
        if (transparent < 0) {
            picture.ReadRowRGB(row, image.scanLine(y));
            continue;
        }
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            uint8_t r = 0, g = 0, b = 0;
            picture.GetRGB(x, row, r, g, b);
            out[x] = picture.GetIndex(x, row) == transparent ? qRgba(0, 0, 0, 0) : qRgb(r, g, b);
        }
    }
    return image;
}
