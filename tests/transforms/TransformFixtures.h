#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>

#include "image/Image.h"
#include "sky/SkyProjections.h"

// Helpers the transform tests share: pictures whose pixels name their own position, and the
// comparison of a transformed picture with the sky rendered straight into its projection.

// A picture whose every pixel tells where it is (pictures up to 2048 x 2048): column in red
// and the low bits of green, row in blue and the middle bits of green. The top bit of green
// is always set, so no pixel is black.
inline void FillCoded(CImage& picture, int width, int height) {
    picture.Create(width, height, 24, -1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.SetRGB(x, y, x & 255, 0x80 | (x >> 8) | (y >> 8) << 3, y & 255);
        }
    }
}

struct Place {
    int x;
    int y;
    bool operator==(const Place&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Place& place) {
    return out << "(" << place.x << ", " << place.y << ")";
}

// Where a pixel of a coded picture came from; (-1, -1) for a pixel of no coded picture.
inline Place CodedPlace(const CImage& picture, int x, int y) {
    uint8_t r = 0, g = 0, b = 0;
    picture.GetRGB(x, y, r, g, b);
    if (!(g & 0x80)) return {-1, -1};
    return {r | (g & 7) << 8, b | (g >> 3 & 7) << 8};
}

inline sky::Rgb PixelOf(const CImage& picture, int x, int y) {
    sky::Rgb c;
    picture.GetRGB(x, y, c.r, c.g, c.b);
    return c;
}

inline void FillColour(CImage& picture, int width, int height, sky::Rgb colour) {
    picture.Create(width, height, 24, -1);
    picture.Fill(colour.r, colour.g, colour.b, 0);
}

struct Tally {
    int pixels = 0;
    int judged = 0;
    int matched = 0;
    double Rate() const { return judged ? static_cast<double>(matched) / judged : 0; }
    void Print(const char* name) const {
        std::printf("[ oracle   ] %s: %d of %d judged pixels match (%.4f%%), %d not judged\n", name,
                    matched, judged, 100 * Rate(), pixels - judged);
    }
};

// What a pixel of the projection should show: nothing to judge, or a colour.
struct Expected {
    bool judge = false;
    sky::Rgb colour;
};

// Compares every pixel of the output with what expect(column, row) says it should be.
inline Tally CompareEach(const CImage& output, int width, int height,
                         const std::function<Expected(int, int)>& expect) {
    Tally tally;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            ++tally.pixels;
            const Expected e = expect(column, row);
            if (!e.judge) continue;
            ++tally.judged;
            if (PixelOf(output, column, row) == e.colour) ++tally.matched;
        }
    }
    return tally;
}

// The sky of the target projection, judged where no colour edge lies within margin degrees
// (margin(direction) for a margin that varies over the picture); black where the projection
// shows nothing.
template <typename Projection>
Tally CompareWithSky(const CImage& output, const Projection& target,
                     const std::function<double(const sky::Vec3&)>& margin) {
    return CompareEach(output, target.width, target.height, [&](int column, int row) {
        sky::Vec3 d;
        if (!target.Direction(column, row, d)) return Expected{true, {}};
        if (sky::EdgeDistance(d) < margin(d)) return Expected{};
        return Expected{true, sky::ColourOf(d)};
    });
}

inline std::function<double(const sky::Vec3&)> Fixed(double degrees) {
    return [degrees](const sky::Vec3&) { return degrees; };
}

inline double Degrees(double radians) {
    return radians * 180 / 3.141592653589793;
}
