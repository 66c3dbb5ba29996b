#pragma once

#include <string>
#include <vector>

#include "ports/Messages.h"

// Keeps the notices a step gives (each answered OK) until the job passes them on, so that
// work done ahead of its turn tells the user its news in the job's order.
class HeldMessages : public Messages {
  public:
    MessageAnswer Show(const std::string& text, MessageButtons) override {
        texts.push_back(text);
        return MessageAnswer::kOk;
    }
    void PassOn(Messages& messages) {
        for (const std::string& text : texts) messages.Show(text, MessageButtons::kOk);
        texts.clear();
    }

  private:
    std::vector<std::string> texts;
};
