#pragma once

#include <png.h>

// libpng reports a fatal error by calling this and expects it not to return: it jumps back to
// the setjmp point of the call in progress. Neither errors nor warnings reach a terminal.
[[noreturn]] inline void PngJumpBack(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
inline void PngIgnoreWarning(png_structp, png_const_charp) {}
