#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// An anonymous in-memory file whose bytes can be replaced at will, with a path the ordinary
// file readers can open. The readers open by name, and a memory file keeps a fuzzing run
// off the disk.
class MemoryFile {
  public:
    MemoryFile();
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    bool IsOpen() const { return fd >= 0; }
    // Makes the file hold exactly these bytes; false when that failed.
    bool SetBytes(const uint8_t* data, size_t size);
    // Each open of the path starts at offset 0 with the current bytes.
    const std::string& Path() const { return path; }

  private:
    int fd = -1;
    std::string path;
};
