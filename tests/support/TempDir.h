#pragma once

#include <filesystem>
#include <string>

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path; }
    // The path of a file in the directory, as a string.
    std::string File(const std::string& name) const { return (path / name).string(); }

  private:
    std::filesystem::path path;
};
