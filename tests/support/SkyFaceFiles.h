#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "fiveview/FaceGeometry.h"
#include "sky/SkyCube.h"

inline constexpr const char* kFaceNames[kFaceCount] = {"top", "left", "back", "right", "front"};

// The analytic sky's cube faces as BMP files in a folder, one per face and suffix
// ("<folder>/top0.bmp" for suffix "0"), so that the view jobs have pictures to read.
inline void WriteSkyFaces(const std::string& folder, std::initializer_list<const char*> suffixes,
                          int size = 32) {
    for (int face = 0; face < kFaceCount; ++face) {
        CImage picture;
        sky::RenderFace(picture, face, size, size);
        for (const char* suffix : suffixes) {
            ASSERT_EQ(picture.SaveAs(folder + "/" + kFaceNames[face] + suffix + ".bmp"), 1);
        }
    }
}
