#include "ports/Messages.h"

#include <cstdio>

namespace {

class StandardErrorMessages : public Messages {
  public:
    MessageAnswer Show(const std::string& text, MessageButtons buttons) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        switch (buttons) {
            case MessageButtons::kOk:
                return MessageAnswer::kOk;
            case MessageButtons::kOkCancel:
                return MessageAnswer::kCancel;
            case MessageButtons::kYesNo:
                break;
        }
        return MessageAnswer::kNo;
    }
};

StandardErrorMessages standardErrorMessages;
Messages* libraryMessages = &standardErrorMessages;

}  // namespace

Messages& LibraryMessages() {
    return *libraryMessages;
}

void SetLibraryMessages(Messages* messages) {
    libraryMessages = messages ? messages : &standardErrorMessages;
}
