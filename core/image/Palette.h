#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A logical palette of up to 256 red, green, blue entries. Colour writes into a
// palette-mapped picture pick the nearest entry by least squared RGB distance.
struct PaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
};

class CPalette {
  public:
    static constexpr int kMaxEntries = 256;
    static constexpr int kVersion = 0x300;

    CPalette() = default;
    explicit CPalette(std::vector<PaletteEntry> entries);

    int Count() const { return static_cast<int>(entries.size()); }
    // Answers 0 when index names no entry.
    int GetEntry(int index, uint8_t& red, uint8_t& green, uint8_t& blue) const;
    const PaletteEntry* Entries() const { return entries.data(); }
    // Index of the entry closest to the colour; the first of equally close entries wins.
    // Answers -1 for an empty palette.
    int NearestIndex(int red, int green, int blue) const;

  private:
    std::vector<PaletteEntry> entries;
};
