#pragma once

// How the file formats read and write, for the whole process. The defaults are the desktop's
// and the command line's; a front end may change them once, before any job starts.
struct CodecSettings {
    // Colour JPEGs as 24-bit pictures instead of at most 128 colours.
    bool jpegFullColour = false;
    // On libjpeg's 0-100 scale: small files for previews and dome frames. From 90 up, colour
    // is kept at full resolution too.
    int jpegQuality = 30;
    // zlib's 0 (stored) to 9. The fastest level, with the row filters libpng picks row by
    // row: on a noisy 2200 x 2200 dome 7 times faster than the default level 6 for a file
    // 14 % larger.
    int pngLevel = 1;
};

const CodecSettings& Codecs();
void SetCodecs(const CodecSettings& settings);
