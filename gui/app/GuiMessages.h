#pragma once

#include <QPointer>
#include <QWidget>

#include "ports/Messages.h"

// Message boxes over the main window.
class GuiMessages : public Messages {
  public:
    explicit GuiMessages(QWidget* parent) : parent(parent) {}
    MessageAnswer Show(const std::string& text, MessageButtons buttons) override;

  private:
    QPointer<QWidget> parent;
};
