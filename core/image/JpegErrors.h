#pragma once

#include <csetjmp>
#include <cstdio>

// jpeglib.h uses FILE and size_t without including their headers.
// clang-format off
#include <jpeglib.h>
// clang-format on

// A libjpeg error manager that never ends the process: a fatal error jumps back to
// `recovery`, which the caller sets with setjmp before its first library call, and neither
// errors nor warnings reach a terminal.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf recovery;
};

// Initialises errors and answers the manager to put into the library record's err field.
jpeg_error_mgr* InitJpegErrors(JpegErrors& errors);
