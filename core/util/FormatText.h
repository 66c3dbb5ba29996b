#pragma once

#include <string>

// printf into a string of whatever length the text needs.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
