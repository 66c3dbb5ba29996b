#pragma once

#include <filesystem>

// Makes a directory the current one for as long as the object lives.
class CurrentDirectory {
  public:
    explicit CurrentDirectory(const std::filesystem::path& directory)
        : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(directory);
    }
    ~CurrentDirectory() { std::filesystem::current_path(previous); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

  private:
    std::filesystem::path previous;
};
