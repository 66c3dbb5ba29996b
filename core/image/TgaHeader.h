#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The 18-byte header at the start of a TGA file, with the image descriptor byte unpacked.
struct TgaHeader {
    static constexpr int kSize = 18;

    uint8_t idLength = 0;
    uint8_t coMapType = 0;
    uint8_t imgType = 0;
    uint8_t indexLo = 0, indexHi = 0;
    uint8_t lengthLo = 0, lengthHi = 0;
    uint8_t coSize = 0;
    uint8_t xOrgLo = 0, xOrgHi = 0;
    uint8_t yOrgLo = 0, yOrgHi = 0;
    uint8_t widthLo = 0, widthHi = 0;
    uint8_t heightLo = 0, heightHi = 0;
    uint8_t pixelSize = 0;
    uint8_t attBits = 0;  // descriptor bits 0-3
    uint8_t rsrvd = 0;    // bit 4
    uint8_t orgBit = 0;   // bit 5: the first row in the file is the top row
    uint8_t intrLve = 0;  // bits 6-7: 0 none, 1 two-way, 2 four-way

    int Width() const { return widthHi * 256 + widthLo; }
    int Height() const { return heightHi * 256 + heightLo; }
    int MapIndex() const { return indexHi * 256 + indexLo; }
    int MapLength() const { return lengthHi * 256 + lengthLo; }
};

TgaHeader UnpackTgaHeader(const uint8_t (&bytes)[TgaHeader::kSize]);

// Shows each field in its own message, in file order.
void DumpTgaHeader(const TgaHeader& header, std::vector<std::string>& notes);
