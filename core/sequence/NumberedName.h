#pragma once

#include <string>

// Numbered frame names: a stem, a decimal frame number of any width right before the last
// ".", and the extension (front0001.tga). Every operation works on the name as one string,
// so a "." in a directory part counts like any other.

// The text after the last "."; empty when there is none.
std::string ExtensionOf(const std::string& name);
// The name without its last "." and extension; the whole name when there is no ".".
std::string StemOf(const std::string& name);

// The name with the digits that end its stem removed, the extension kept:
// anim/front0001.tga gives anim/front.tga, anim/0001.tga gives anim/.tga.
std::string SequenceNameOf(const std::string& name);

// The number formed by the digits right before the last "." (0 when there are none, -1 when
// the name starts with its last "."), and how many digits there are. Numbers beyond the
// range of an int give the largest int.
int FrameNumberOf(const std::string& fileName, int& digitCount);

// Whether a digit stands right before the last ".", which must not be the first character.
bool HasFrameNumber(const std::string& fileName);
