#pragma once

#include <optional>
#include <string>

// The file name of every frame of a sequence, from a pattern with one frame token: a
// printf-style "%d" or "%05d" ("shot/left.%05d.png"), or a run of "#", one digit each
// ("dome.####.tga"). A name without a token is one file, the same for every frame.
class FramePattern {
  public:
    // None, with the reason in error, for a pattern with two tokens or a malformed one.
    static std::optional<FramePattern> Parse(const std::string& pattern, std::string& error);

    std::string NameOf(int frame) const;
    bool Numbered() const { return digits >= 0; }
    const std::string& Text() const { return text; }

  private:
    std::string text;
    std::string before;
    std::string after;
    int digits = -1;  // -1: no token; 0: as many digits as the number has
};
