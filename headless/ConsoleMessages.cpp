#include "headless/ConsoleMessages.h"

#include <unistd.h>

#include <cctype>

namespace {

// Reads a line and answers whether it starts with the letter.
bool AnswerStartsWith(std::FILE* in, char letter) {
    char line[64];
    if (!std::fgets(line, sizeof line, in)) return false;
    return std::tolower(static_cast<unsigned char>(line[0])) == letter;
}

}  // namespace

MessageAnswer ConsoleMessages::Show(const std::string& text, MessageButtons buttons) {
    std::fprintf(out, "%s\n", text.c_str());
    const bool interactive = isatty(fileno(in));
    switch (buttons) {
        case MessageButtons::kOk:
            return MessageAnswer::kOk;
        case MessageButtons::kOkCancel:
            if (!interactive) return MessageAnswer::kOk;
            std::fprintf(out, "[O]K or [C]ancel? ");
            std::fflush(out);
            return AnswerStartsWith(in, 'c') ? MessageAnswer::kCancel : MessageAnswer::kOk;
        case MessageButtons::kYesNo:
            if (!interactive) return MessageAnswer::kNo;
            std::fprintf(out, "[Y]es or [N]o? ");
            std::fflush(out);
            return AnswerStartsWith(in, 'y') ? MessageAnswer::kYes : MessageAnswer::kNo;
    }
    return MessageAnswer::kNo;
}
