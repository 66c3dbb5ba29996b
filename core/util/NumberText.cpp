#include "util/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// Start of the number: after leading blanks and a "+", which from_chars does not take.
const char* NumberStart(const std::string& text) {
    size_t start = text.find_first_not_of(" \t\n\r\f\v");
    if (start == std::string::npos) return text.data() + text.size();
    if (text[start] == '+') ++start;
    return text.data() + start;
}

}  // namespace

double ParseDouble(const std::string& text) {
    double value = 0;
    const auto result = std::from_chars(NumberStart(text), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0;
}

int ParseInt(const std::string& text) {
    long long value = 0;
    const auto result = std::from_chars(NumberStart(text), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        return text.find('-') != std::string::npos ? std::numeric_limits<int>::min()
                                                   : std::numeric_limits<int>::max();
    }
    if (result.ec != std::errc()) return 0;
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}
