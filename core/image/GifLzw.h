#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class InputFile;
class OutputFile;

// Where the decoder delivers its pixels: one line of palette indices at a time.
class GifLineSink {
  public:
    virtual ~GifLineSink() = default;
    // count is the line length, or less for a last line the data left unfinished. Answers
    // false once no further line is wanted, which ends the decoding.
    virtual bool TakeLine(const uint8_t* pixels, int count) = 0;
};

// Decodes one image's data, the code size byte and the data sub-blocks that follow it at
// the file's position, in lines of lineLength pixels. A code size outside 2..9 decodes
// nothing; data that ends early or is corrupt ends the decoding with what came so far.
// A code beyond the next free table slot is decoded as if it named that slot.
void DecodeGifData(InputFile& file, int lineLength, GifLineSink& sink);

// Variable-length-code LZW for 8-bit pixels (initial code size 8), written to the file as
// data sub-blocks of up to 254 bytes. The string table is found through an open-addressed
// hash; when it fills, a clear code starts it afresh.
class GifLzwEncoder {
  public:
    // Null when the working memory cannot be had.
    static std::unique_ptr<GifLzwEncoder> Make(OutputFile& file);
    ~GifLzwEncoder();
    GifLzwEncoder(const GifLzwEncoder&) = delete;
    GifLzwEncoder& operator=(const GifLzwEncoder&) = delete;

    // The pixels in file order, in as many pieces as the caller likes.
    void Put(const uint8_t* pixels, size_t count);
    // Emits the last string and the end code and writes the last sub-block. The zero-length
    // block that closes the data is the caller's.
    void Finish();

  private:
    struct Tables;
    GifLzwEncoder(OutputFile& file, std::unique_ptr<Tables> tables);
    void Add(uint8_t pixel);
    void Emit(int code);
    void ResetTable();
    void PutByte(uint8_t byte);
    void WriteBlock();

    OutputFile& file;
    std::unique_ptr<Tables> tables;
    int codeWidth = 9;
    int largestCode = 511;
    int nextFree = 0;
    bool clearPending = false;
    int current = -1;  // code of the string seen so far; -1 before the first pixel
    uint32_t accumulator = 0;
    int accumulatedBits = 0;
};
