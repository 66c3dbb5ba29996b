#pragma once

#include <array>
#include <utility>

#include "fiveview/FaceGeometry.h"
#include "fiveview/FiveViewSettings.h"

// Faces whose every pixel tells where it is: red = column, green = row, blue = 40 x face + 1.
// Faces stay under 256 pixels so the coordinates fit a byte.
inline void MakeCoordinateFaces(FacePictures& faces,
                                const std::array<std::pair<int, int>, 5>& sizes) {
    for (int face = 0; face < kFaceCount; ++face) {
        const auto [width, height] = sizes[face];
        faces[face].Create(width, height, 24, -1);
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                faces[face].SetRGB(column, row, column, row, 40 * face + 1);
            }
        }
    }
}

struct ReadFacePixel {
    int face;
    int column;
    int row;
    bool operator==(const ReadFacePixel&) const = default;
};

inline ReadFacePixel FacePixelOf(const CImage& output, int x, int y) {
    uint8_t r = 0, g = 0, b = 0;
    output.GetRGB(x, y, r, g, b);
    return {(b - 1) / 40, r, g};
}

inline void MakeUniformFaces(FacePictures& faces, int size, int r, int g, int b) {
    for (CImage& face : faces) {
        face.Create(size, size, 24, -1);
        face.Fill(r, g, b, 0);
    }
}

inline FiveViewSettings SettingsFor(double sweep, PolarFormat polarFormat) {
    FiveViewSettings settings;
    settings.polarSweep = sweep;
    settings.polarFormat = polarFormat;
    return settings;
}

// An output picture filled with a colour no renderer writes, to see which pixels were left.
inline constexpr uint8_t kUntouched[3] = {1, 2, 3};
inline CImage MarkedOutput(int width, int height) {
    CImage output;
    output.Create(width, height, 24, -1);
    output.Fill(kUntouched[0], kUntouched[1], kUntouched[2], 0);
    return output;
}

inline bool Untouched(const CImage& output, int x, int y) {
    uint8_t r, g, b;
    output.GetRGB(x, y, r, g, b);
    return r == kUntouched[0] && g == kUntouched[1] && b == kUntouched[2];
}
