#include "sequence/ImageSequence.h"

#include <algorithm>

void InsertByFrame(ImageSequence& sequence, SequenceEntry entry) {
    const auto larger =
        std::upper_bound(sequence.entries.begin(), sequence.entries.end(), entry.frame,
                         [](int frame, const SequenceEntry& e) { return frame < e.frame; });
    sequence.entries.insert(larger, std::move(entry));
}

std::optional<SequenceEntry> RemoveFront(ImageSequence& sequence) {
    if (sequence.entries.empty()) return std::nullopt;
    SequenceEntry front = std::move(sequence.entries.front());
    sequence.entries.pop_front();
    return front;
}

bool AnyEntries(std::span<const ImageSequence> sequences) {
    return std::any_of(sequences.begin(), sequences.end(),
                       [](const ImageSequence& s) { return !s.entries.empty(); });
}

int CountEntries(std::span<const ImageSequence> sequences) {
    int count = 0;
    for (const ImageSequence& s : sequences) count += static_cast<int>(s.entries.size());
    return count;
}

int LowestFrontFrame(std::span<const ImageSequence> sequences) {
    bool found = false;
    int lowest = -1;
    for (const ImageSequence& s : sequences) {
        if (s.entries.empty()) continue;
        const int frame = s.entries.front().frame;
        if (!found || frame < lowest) lowest = frame;
        found = true;
    }
    return lowest;
}
