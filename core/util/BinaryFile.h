#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Bytes in an open file; the position goes back to the start.
int64_t SizeOfOpenFile(std::FILE* file);

// A file read or written in binary, closed when the object goes. Readers use Size and the
// counts Read answers to check every header value against what the file really holds.
class InputFile {
  public:
    explicit InputFile(const std::string& name);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool IsOpen() const { return file != nullptr; }
    int64_t Size() const { return size; }
    int64_t Position() const;
    bool Seek(int64_t position);
    // Bytes actually read (fewer at the end of the file).
    size_t Read(void* buffer, size_t count);
    bool ReadExactly(void* buffer, size_t count) { return Read(buffer, count) == count; }

  private:
    std::FILE* file = nullptr;
    int64_t size = 0;
};

class OutputFile {
  public:
    explicit OutputFile(const std::string& name);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool IsOpen() const { return file != nullptr; }
    bool Write(const void* data, size_t count);
    bool Put(uint8_t byte) { return Write(&byte, 1); }
    // True when every write and the close succeeded.
    bool Close();

  private:
    std::FILE* file = nullptr;
    bool failed = false;
};
