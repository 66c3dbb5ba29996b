#include "support/TempDir.h"

#include <cstdlib>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mosa-test-XXXXXX").string();
    if (const char* made = mkdtemp(pattern.data())) path = made;
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
}
