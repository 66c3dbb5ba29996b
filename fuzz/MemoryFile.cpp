#include "MemoryFile.h"

#include <sys/mman.h>
#include <unistd.h>

MemoryFile::MemoryFile() {
    fd = memfd_create("mosa-fuzz", MFD_CLOEXEC);
    if (fd >= 0) path = "/proc/self/fd/" + std::to_string(fd);
}

MemoryFile::~MemoryFile() {
    if (fd >= 0) close(fd);
}

bool MemoryFile::SetBytes(const uint8_t* data, size_t size) {
    if (fd < 0 || ftruncate(fd, 0) != 0) return false;
    size_t done = 0;
    while (done < size) {
        const ssize_t put = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}
