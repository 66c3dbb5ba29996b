// mosa-fuzz-replay READER FILE...: runs the fuzz harness of a reader on files (every file of
// a directory argument), without libFuzzer, so the corpus and any finding can be replayed in
// the ordinary and sanitizer builds.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ReaderHarness.h"

namespace {

namespace fs = std::filesystem;

// The files an argument names: itself, or a directory's regular files in name order.
std::vector<fs::path> FilesOf(const fs::path& argument) {
    std::error_code error;
    if (!fs::is_directory(argument, error)) return {argument};
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(argument, error)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool ReadBytes(const fs::path& name, std::vector<uint8_t>& bytes) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: mosa-fuzz-replay READER FILE|DIRECTORY...\nreaders: %s\n",
                     ReaderNames());
        return 2;
    }
    const int fileType = ReaderFileType(argv[1]);
    if (fileType < 0) {
        std::fprintf(stderr, "unknown reader '%s' (readers: %s)\n", argv[1], ReaderNames());
        return 2;
    }
    int replayed = 0;
    int pictures = 0;
    int unreadable = 0;
    for (int i = 2; i < argc; ++i) {
        for (const fs::path& name : FilesOf(argv[i])) {
            std::vector<uint8_t> bytes;
            if (!ReadBytes(name, bytes)) {
                std::fprintf(stderr, "cannot read %s\n", name.c_str());
                ++unreadable;
                continue;
            }
            if (FuzzReadPicture(fileType, bytes.data(), bytes.size())) ++pictures;
            ++replayed;
        }
    }
    std::printf("replayed %d file(s) through the %s reader, %d made a picture\n", replayed,
                argv[1], pictures);
    // An empty corpus replays nothing and proves nothing.
    return unreadable == 0 && replayed > 0 ? 0 : 1;
}
