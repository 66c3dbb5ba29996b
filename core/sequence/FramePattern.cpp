#include "sequence/FramePattern.h"

#include <cctype>
#include <cstdio>

namespace {

struct Token {
    size_t at = std::string::npos;
    size_t length = 0;
    int digits = 0;
};

// A "%[0][width]d" at position i, if one starts there.
bool PrintfTokenAt(const std::string& s, size_t i, Token& token) {
    if (s[i] != '%') return false;
    size_t j = i + 1;
    if (j < s.size() && s[j] == '0') ++j;
    int width = 0;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
        width = width * 10 + (s[j] - '0');
        if (width > 12) return false;
        ++j;
    }
    if (j >= s.size() || s[j] != 'd') return false;
    token = {i, j + 1 - i, width};
    return true;
}

}  // namespace

std::optional<FramePattern> FramePattern::Parse(const std::string& pattern, std::string& error) {
    Token found;
    int tokens = 0;
    for (size_t i = 0; i < pattern.size();) {
        Token token;
        if (PrintfTokenAt(pattern, i, token)) {
        } else if (pattern[i] == '#') {
            size_t j = i;
            while (j < pattern.size() && pattern[j] == '#') ++j;
            token = {i, j - i, static_cast<int>(j - i)};
        } else {
            ++i;
            continue;
        }
        ++tokens;
        found = token;
        i += token.length;
    }
    if (tokens > 1) {
        error = "'" + pattern + "' has more than one frame number in it";
        return std::nullopt;
    }
    FramePattern result;
    result.text = pattern;
    if (tokens == 0) {
        result.before = pattern;
        return result;
    }
    result.before = pattern.substr(0, found.at);
    result.after = pattern.substr(found.at + found.length);
    result.digits = found.digits;
    return result;
}

std::string FramePattern::NameOf(int frame) const {
    if (!Numbered()) return before;
    char number[32];
    std::snprintf(number, sizeof number, "%0*d", digits, frame);
    return before + number + after;
}
