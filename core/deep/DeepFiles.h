#pragma once

#include <string>

#include "deep/DeepPicture.h"

enum class TiffCompression { kNone, kLzw, kDeflate };
enum class ExrCompression { kNone, kZip, kPiz, kDwaa };

struct DeepWriteOptions {
    SampleDepth depth = SampleDepth::k16;
    TiffCompression tiffCompression = TiffCompression::kDeflate;
    ExrCompression exrCompression = ExrCompression::kZip;
    int pngLevel = 1;  // zlib's 0 to 9
};

// The deep formats: PNG of 8 or 16 bits (every colour type; palettes and grey expand to RGB,
// transparency to alpha) and TIFF of 8- or 16-bit integer or 32-bit float samples (grey,
// grey and alpha, RGB, RGBA; strips, chunky; none, LZW or Deflate, with or without a
// predictor) and OpenEXR of half or float samples (R, G, B and A, or Y and A; scan lines or
// tiles, any compression OpenEXR reads). The type follows the extension (.png, .tif, .tiff,
// .exr). Every size is checked
// against the file before anything is allocated; a file that cannot be read whole is
// refused. Writes go through an atomic output file. False with the problem in a few words.
bool ReadDeepPicture(const std::string& name, DeepPicture& picture, std::string& problem);
bool WriteDeepPicture(const std::string& name, const DeepPicture& picture,
                      const DeepWriteOptions& options, std::string& problem);

// Whether a name's extension is one of the deep formats.
bool IsDeepFileName(const std::string& name);

// The formats one by one, for the dispatch above.
bool ReadDeepPng(const std::string& name, DeepPicture& picture, std::string& problem);
bool WriteDeepPng(const std::string& name, const DeepPicture& picture,
                  const DeepWriteOptions& options, std::string& problem);
bool ReadDeepTiff(const std::string& name, DeepPicture& picture, std::string& problem);
bool ReadDeepExr(const std::string& name, DeepPicture& picture, std::string& problem);
bool WriteDeepExr(const std::string& name, const DeepPicture& picture,
                  const DeepWriteOptions& options, std::string& problem);
bool WriteDeepTiff(const std::string& name, const DeepPicture& picture,
                   const DeepWriteOptions& options, std::string& problem);
