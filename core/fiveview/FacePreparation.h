#pragma once

#include "deep/DeepPicture.h"
#include "image/Image.h"

// Face pictures as the renderer needs them, made from the pictures as loaded. Targets are
// made at 24 bits (plus an alpha plane when the source has one) whatever the source's depth,
// so that palette pictures keep their colours; deep targets keep the source's alpha or lack
// of it (a deep picture without alpha is opaque, also in the black half of a half pan).

// target = source without a border of k pixels on every edge. Answers 0, leaving the target
// alone, when nothing would be left.
int CropFace(const CImage& source, CImage& target, int k);
int CropFace(const DeepPicture& source, DeepPicture& target, int k);

// target = twice as tall as source, with source in its upper half and black below.
int ExpandHalfPan(const CImage& source, CImage& target);
int ExpandHalfPan(const DeepPicture& source, DeepPicture& target);
