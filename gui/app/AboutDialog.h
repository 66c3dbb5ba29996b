#pragma once

#include <QDialog>

// "About mosa": the program's icon, its name and version, and OK.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

extern const char* const kVersionText;
