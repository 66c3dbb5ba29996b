#pragma once

#include <QImage>

#include "image/Image.h"

// The picture as Qt paints it: top row first; pixels of the transparent palette index (a GIF's
// transparent colour) are transparent.
QImage PictureImage(const CImage& picture);
