#pragma once

#include <cstdio>

#include "ports/Messages.h"

// Messages on standard error. A question is put to the person at the terminal when standard
// input is one; otherwise Yes/No is answered No and OK/Cancel OK (a batch run goes on).
class ConsoleMessages : public Messages {
  public:
    ConsoleMessages(std::FILE* out = stderr, std::FILE* in = stdin) : out(out), in(in) {}
    MessageAnswer Show(const std::string& text, MessageButtons buttons) override;

  private:
    std::FILE* out;
    std::FILE* in;
};
