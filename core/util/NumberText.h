#pragma once

#include <string>

// Text to number in the way of the C library's conversions (leading blanks and a sign
// allowed, the longest number prefix taken, text that is no number reads as 0), but
// independent of the locale, so "212.58" never depends on the user's decimal comma.
double ParseDouble(const std::string& text);
int ParseInt(const std::string& text);

// A real truncated toward zero, kept within the range of an int (0 for not-a-number).
int TruncateToInt(double value);
