#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "image/Image.h"
#include "ports/Messages.h"
#include "support/FileBytes.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"

// A TGA file put together byte by byte: the 18 header bytes, then whatever is appended.
struct TgaFile {
    std::vector<uint8_t> bytes;

    TgaFile(int type, int pixelSize, int width, int height, int descriptor = 0)
        : bytes{0,
                0,
                static_cast<uint8_t>(type),
                0,
                0,
                0,
                0,
                0,
                0,
                0,
                0,
                0,
                static_cast<uint8_t>(width),
                static_cast<uint8_t>(width >> 8),
                static_cast<uint8_t>(height),
                static_cast<uint8_t>(height >> 8),
                static_cast<uint8_t>(pixelSize),
                static_cast<uint8_t>(descriptor)} {}

    // Declares a colour map; its entries are appended like any other bytes.
    TgaFile& Map(int first, int length, int entrySize, int mapType = 1) {
        bytes[1] = static_cast<uint8_t>(mapType);
        bytes[3] = static_cast<uint8_t>(first);
        bytes[4] = static_cast<uint8_t>(first >> 8);
        bytes[5] = static_cast<uint8_t>(length);
        bytes[6] = static_cast<uint8_t>(length >> 8);
        bytes[7] = static_cast<uint8_t>(entrySize);
        return *this;
    }
    TgaFile& Add(std::initializer_list<int> values) {
        for (int v : values) bytes.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    std::string Save(const TempDir& dir, const std::string& name = "t.tga") const {
        WriteFileBytes(dir.File(name), bytes);
        return dir.File(name);
    }
};

inline std::tuple<int, int, int> Rgb(const CImage& image, int x, int y) {
    uint8_t r = 0, g = 0, b = 0;
    image.GetRGB(x, y, r, g, b);
    return {r, g, b};
}
