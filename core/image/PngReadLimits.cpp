#include "image/PngReadLimits.h"

#include <algorithm>
#include <cstring>

#include "image/DibLayout.h"

void SetPngReadLimits(png_structp png) {
    png_set_user_limits(png, dib::kMaxDimension, dib::kMaxDimension);
    static constexpr png_byte kUnusedChunks[] = "tEXt\0zTXt\0iTXt\0sPLT\0pCAL\0sCAL\0eXIf";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kUnusedChunks,
                                static_cast<int>(sizeof kUnusedChunks / 5));
}

int64_t CompressedRowBytes(std::FILE* file, int64_t fileBytes) {
    constexpr int64_t kSignatureSize = 8, kChunkFraming = 12;
    int64_t total = 0;
    uint8_t head[8];
    for (int64_t at = kSignatureSize; at + kChunkFraming <= fileBytes;) {
        if (std::fseek(file, static_cast<long>(at), SEEK_SET) != 0 ||
            std::fread(head, 1, sizeof head, file) != sizeof head) {
            break;
        }
        const int64_t length = int64_t{head[0]} << 24 | head[1] << 16 | head[2] << 8 | head[3];
        if (std::memcmp(head + 4, "IDAT", 4) == 0) total += std::min(length, fileBytes - at - 8);
        if (std::memcmp(head + 4, "IEND", 4) == 0) break;
        at += kChunkFraming + length;
    }
    std::rewind(file);
    return total;
}

bool DataCanHoldRows(png_structp png, png_infop info, int64_t compressedBytes) {
    constexpr int64_t kMostDeflateExpansion = 1032;
    const int64_t rowBytes = static_cast<int64_t>(png_get_rowbytes(png, info));
    const int64_t height = png_get_image_height(png, info);
    return height * rowBytes <= compressedBytes * kMostDeflateExpansion;
}
