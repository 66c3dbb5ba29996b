#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ports/Messages.h"

// Messages for tests: records every text and answers from a script (then with the default).
class RecordingMessages : public Messages {
  public:
    MessageAnswer Show(const std::string& text, MessageButtons buttons) override {
        texts.push_back(text);
        if (!answers.empty()) {
            const MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == MessageButtons::kYesNo ? MessageAnswer::kNo : MessageAnswer::kOk;
    }

    std::vector<std::string> texts;
    std::deque<MessageAnswer> answers;
};
