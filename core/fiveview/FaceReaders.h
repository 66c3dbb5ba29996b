#pragma once

#include <array>

#include "fiveview/FaceGeometry.h"
#include "image/RgbAccess.h"

// The five faces' pixel readers, made once per render.
using FaceReaders = std::array<RgbReader, kFaceCount>;

inline FaceReaders ReadersOf(const FacePictures& faces) {
    return {RgbReader(faces[0]), RgbReader(faces[1]), RgbReader(faces[2]), RgbReader(faces[3]),
            RgbReader(faces[4])};
}
