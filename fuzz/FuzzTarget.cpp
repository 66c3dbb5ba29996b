// The libFuzzer entry of one reader; the build makes one target per reader from this file,
// naming the reader in MOSA_FUZZ_READER.
#include <cstdlib>

#include "ReaderHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int fileType = ReaderFileType(MOSA_FUZZ_READER);
    if (fileType < 0) std::abort();
    FuzzReadPicture(fileType, data, size);
    return 0;
}
