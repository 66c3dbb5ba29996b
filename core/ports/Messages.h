#pragma once

#include <string>

// How a job asks the user something or tells them something: a message box with OK,
// OK/Cancel or Yes/No. Each front end implements it.
enum class MessageButtons { kOk, kOkCancel, kYesNo };
enum class MessageAnswer { kOk, kCancel, kYes, kNo };

class Messages {
  public:
    virtual ~Messages() = default;
    virtual MessageAnswer Show(const std::string& text, MessageButtons buttons) = 0;
};
