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
// pixel-by-pixel comparison with an expected picture.

inline constexpr double kDegrees = 180 / 3.141592653589793;

// What a transform job says of a picture it cannot read. Built by appending, since GCC 12 at
// -O3 takes a literal put in front of a temporary string for an overlapping copy.
inline std::string ReadErrorText(const std::string& path) {
    std::string text = "'";
    text += path;
    text += "'\nfile read error";
    return text;
}

inline void FillColour(CImage& picture, int width, int height, sky::Rgb colour) {
    picture.Create(width, height, 24, -1);
    picture.Fill(colour.r, colour.g, colour.b, 0);
}

inline CImage Blank(int width, int height) {
    CImage picture;
    picture.Create(width, height, 24, -1);
    return picture;
}

inline sky::Rgb PixelOf(const CImage& picture, int x, int y) {
    sky::Rgb c;
    picture.GetRGB(x, y, c.r, c.g, c.b);
    return c;
}

// A picture (up to 2048 x 2048) whose pixels tell where they are: column in red and the low
// bits of green, row in blue and the middle bits. Green's top bit is set: no pixel is black.
inline void FillCoded(CImage& picture, int width, int height) {
    picture.Create(width, height, 24, -1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.SetRGB(x, y, x & 255, 0x80 | x >> 8 | y >> 8 << 3, y & 255);
    }
}

struct Place {
    int x;
    int y;
    bool operator==(const Place&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Place& p) {
    return out << "(" << p.x << ", " << p.y << ")";
}

// Where a pixel of a coded picture came from; (-1, -1) when it came from none.
inline Place CodedPlace(const CImage& picture, int x, int y) {
    const sky::Rgb c = PixelOf(picture, x, y);
    if (!(c.g & 0x80)) return {-1, -1};
    return {c.r | (c.g & 7) << 8, c.b | (c.g >> 3 & 7) << 8};
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

// What a pixel should show; pixels not judged have judge false.
struct Expected {
    bool judge = false;
    sky::Rgb colour;
};

inline Tally CompareEach(const CImage& output, int width, int height,
                         const std::function<Expected(int, int)>& expect) {
    Tally tally;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            ++tally.pixels;
            const Expected e = expect(column, row);
            tally.judged += e.judge;
            tally.matched += e.judge && PixelOf(output, column, row) == e.colour;
        }
    }
    return tally;
}

// The sky in the direction, judged only when no colour edge lies within margin degrees.
inline Expected SkyAt(const sky::Vec3& d, double margin) {
    if (sky::EdgeDistance(d) < margin) return {};
    return {true, sky::ColourOf(d)};
}
