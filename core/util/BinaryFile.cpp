#include "util/BinaryFile.h"

int64_t SizeOfOpenFile(std::FILE* file) {
    int64_t size = 0;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long end = std::ftell(file);
        size = end > 0 ? end : 0;
    }
    std::rewind(file);
    return size;
}

InputFile::InputFile(const std::string& name) {
    file = std::fopen(name.c_str(), "rb");
    if (file) size = SizeOfOpenFile(file);
}

InputFile::~InputFile() {
    if (file) std::fclose(file);
}

int64_t InputFile::Position() const {
    return file ? std::ftell(file) : 0;
}

bool InputFile::Seek(int64_t position) {
    return file && position >= 0 && std::fseek(file, static_cast<long>(position), SEEK_SET) == 0;
}

size_t InputFile::Read(void* buffer, size_t count) {
    return file && count > 0 ? std::fread(buffer, 1, count, file) : 0;
}

OutputFile::OutputFile(const std::string& name) {
    file = std::fopen(name.c_str(), "wb");
}

OutputFile::~OutputFile() {
    Close();
}

bool OutputFile::Write(const void* data, size_t count) {
    if (!file) return false;
    if (count > 0 && std::fwrite(data, 1, count, file) != count) failed = true;
    return !failed;
}

bool OutputFile::Close() {
    if (!file) return false;
    if (std::fclose(file) != 0) failed = true;
    file = nullptr;
    return !failed;
}
