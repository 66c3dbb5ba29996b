#pragma once

#include <cstdint>

#include "image/Image.h"

inline constexpr int kDomeTextureSize = 256;

// Samples the rectangle picture into a 256 x 256 red, green, blue texture: texture row r
// reads picture row r * H / 256, column c picture column c * W / 256 (nearest below).
void MakeDomeTexture(const CImage& picture, uint8_t* buffer);
