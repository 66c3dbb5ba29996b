#pragma once

#include <optional>
#include <string>
#include <vector>

// The frames a run renders: "1-1000", "1-1000x2" (every second), "1,5,9-20", in ascending
// order, each once. None, with the reason in error, for text that is not such a list.
std::optional<std::vector<int>> ParseFrameList(const std::string& text, std::string& error);

// The part-th of parts contiguous shares of the frames (1-based). The shares differ by one
// frame at most and together hold every frame exactly once; with more parts than frames
// some shares are empty.
std::vector<int> ChunkOf(const std::vector<int>& frames, int part, int parts);

// "K/N" with 1 <= K <= N. None, with the reason in error, otherwise.
std::optional<std::pair<int, int>> ParseChunk(const std::string& text, std::string& error);
