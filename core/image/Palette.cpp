#include "image/Palette.h"

CPalette::CPalette(std::vector<PaletteEntry> entriesIn) : entries(std::move(entriesIn)) {
    if (entries.size() > kMaxEntries) entries.resize(kMaxEntries);
}

int CPalette::GetEntry(int index, uint8_t& red, uint8_t& green, uint8_t& blue) const {
    if (index < 0 || index >= Count()) return 0;
    const PaletteEntry& e = entries[static_cast<size_t>(index)];
    red = e.red;
    green = e.green;
    blue = e.blue;
    return 1;
}

int CPalette::NearestIndex(int red, int green, int blue) const {
    int best = -1;
    long bestDistance = 0;
    for (int i = 0; i < Count(); ++i) {
        const PaletteEntry& e = entries[static_cast<size_t>(i)];
        const long dr = e.red - red, dg = e.green - green, db = e.blue - blue;
        const long distance = dr * dr + dg * dg + db * db;
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
            if (distance == 0) break;
        }
    }
    return best;
}
