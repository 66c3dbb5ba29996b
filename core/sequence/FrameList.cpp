#include "sequence/FrameList.h"

#include <algorithm>
#include <charconv>

namespace {

// The frame lists a farm hands over are far below this; it keeps a typing slip from asking
// for billions of frames.
constexpr long kMostFrames = 10'000'000;

bool ReadNumber(std::string_view text, int& value) {
    if (text.empty()) return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && value >= 0;
}

// "A", "A-B" or "A-BxS" into frames.
bool AddRange(std::string_view item, std::vector<int>& frames) {
    int step = 1;
    const size_t x = item.find('x');
    if (x != std::string_view::npos) {
        if (!ReadNumber(item.substr(x + 1), step) || step < 1) return false;
        item = item.substr(0, x);
    }
    int first = 0, last = 0;
    const size_t dash = item.find('-');
    if (dash == std::string_view::npos) {
        if (x != std::string_view::npos || !ReadNumber(item, first)) return false;
        last = first;
    } else if (!ReadNumber(item.substr(0, dash), first) ||
               !ReadNumber(item.substr(dash + 1), last) || last < first) {
        return false;
    }
    if ((static_cast<long>(last) - first) / step + frames.size() >= kMostFrames) return false;
    for (long f = first; f <= last; f += step) frames.push_back(static_cast<int>(f));
    return true;
}

}  // namespace

std::optional<std::vector<int>> ParseFrameList(const std::string& text, std::string& error) {
    std::vector<int> frames;
    std::string_view rest = text;
    while (true) {
        const size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        if (!AddRange(item, frames)) {
            error = "'" + std::string(item) + "' in '" + text +
                    "' is no frame, range (A-B) or stepped range (A-BxS)";
            return std::nullopt;
        }
        if (comma == std::string_view::npos) break;
        rest = rest.substr(comma + 1);
    }
    std::sort(frames.begin(), frames.end());
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    return frames;
}

std::vector<int> ChunkOf(const std::vector<int>& frames, int part, int parts) {
    if (parts < 1 || part < 1 || part > parts) return {};
    const size_t count = frames.size();
    const size_t begin = count * static_cast<size_t>(part - 1) / static_cast<size_t>(parts);
    const size_t end = count * static_cast<size_t>(part) / static_cast<size_t>(parts);
    return {frames.begin() + static_cast<long>(begin), frames.begin() + static_cast<long>(end)};
}

std::optional<std::pair<int, int>> ParseChunk(const std::string& text, std::string& error) {
    const size_t slash = text.find('/');
    int part = 0, parts = 0;
    if (slash == std::string::npos || !ReadNumber(std::string_view(text).substr(0, slash), part) ||
        !ReadNumber(std::string_view(text).substr(slash + 1), parts) || part < 1 || part > parts) {
        error = "'" + text + "' is no chunk K/N with 1 <= K <= N";
        return std::nullopt;
    }
    return std::pair{part, parts};
}
