#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "image/Image.h"

// Hand-made GIF files: each code written at the width a decoder must read it with, so the
// expected pixels follow from the codes alone.
struct Code {
    int value;
    int width;
};

// Codes least-significant bit first, cut into data sub-blocks, closed by a zero block.
inline std::vector<uint8_t> PackCodes(const std::vector<Code>& codes) {
    std::vector<uint8_t> bytes;
    uint32_t bits = 0;
    int count = 0;
    for (const Code& c : codes) {
        bits |= static_cast<uint32_t>(c.value) << count;
        for (count += c.width; count >= 8; count -= 8, bits >>= 8) bytes.push_back(bits & 0xFF);
    }
    if (count > 0) bytes.push_back(bits & 0xFF);
    std::vector<uint8_t> blocks;
    for (size_t i = 0; i < bytes.size(); i += 255) {
        const size_t n = std::min<size_t>(255, bytes.size() - i);
        blocks.push_back(static_cast<uint8_t>(n));
        blocks.insert(blocks.end(), bytes.begin() + i, bytes.begin() + i + n);
    }
    blocks.push_back(0);
    return blocks;
}

inline void PutWord(std::vector<uint8_t>& bytes, int v) {
    bytes.push_back(static_cast<uint8_t>(v));
    bytes.push_back(static_cast<uint8_t>(v >> 8));
}

// A GIF89a with one image of width x height behind a global table of 2^tableBits entries,
// entry i = (i, 2i, 255 - i); imageFlags as in the image descriptor.
inline std::vector<uint8_t> OneImageGif(int width, int height, int codeSize,
                                        const std::vector<uint8_t>& data, int tableBits = 2,
                                        uint8_t imageFlags = 0) {
    std::vector<uint8_t> f = {'G', 'I', 'F', '8', '9', 'a'};
    PutWord(f, width);
    PutWord(f, height);
    f.insert(f.end(), {static_cast<uint8_t>(0x80 | (tableBits - 1)), 0, 0});
    for (int i = 0; i < (1 << tableBits); ++i) {
        f.insert(f.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(2 * i),
                           static_cast<uint8_t>(255 - i)});
    }
    f.push_back(',');
    for (int v : {0, 0, width, height}) PutWord(f, v);
    f.push_back(imageFlags);
    f.push_back(static_cast<uint8_t>(codeSize));
    f.insert(f.end(), data.begin(), data.end());
    f.push_back(';');
    return f;
}

// The palette indices of a picture, top row first.
inline std::vector<int> IndicesOf(const CImage& image) {
    std::vector<int> indices;
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) indices.push_back(image.GetIndex(x, y));
    }
    return indices;
}
