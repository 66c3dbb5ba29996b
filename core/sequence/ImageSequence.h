#pragma once

#include <deque>
#include <optional>
#include <span>
#include <string>

// One frame file of a sequence.
struct SequenceEntry {
    std::string fileName;  // as the directory listing spells it, without directory
    int frame = 0;         // 0 for a single file
};

// The frame files of one numbered sequence, in ascending frame order; entries with equal
// frame numbers keep the order in which they were inserted. Jobs empty it from the front.
struct ImageSequence {
    std::string directory;  // put before every fileName to open it: ends in "/", or empty
    std::deque<SequenceEntry> entries;
};

// Inserts after every entry whose frame is not larger.
void InsertByFrame(ImageSequence& sequence, SequenceEntry entry);

// Detaches and answers the first entry; nothing when the sequence is empty.
std::optional<SequenceEntry> RemoveFront(ImageSequence& sequence);

// Over the sequences of one job (one per view): whether any still has entries, and the
// smallest frame among their first entries (-1 when all are empty).
bool AnyEntries(std::span<const ImageSequence> sequences);
// Entries left over all the sequences.
int CountEntries(std::span<const ImageSequence> sequences);
int LowestFrontFrame(std::span<const ImageSequence> sequences);
