#pragma once

#include <QString>
#include <functional>

#include "fiveview/FiveViewSettings.h"
#include "gui/dialogs/RecordDialog.h"

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;

// Asks for a folder: the chooser's title and the folder it opens on (may be empty); answers
// the chosen folder or an empty text.
using FolderChooser =
    std::function<QString(QWidget* parent, const QString& title, const QString& start)>;

// "5 View Polar": the five cube views, the output picture and which frames to render.
class FiveViewDialog : public RecordDialog<FiveViewSettings> {
  public:
    explicit FiveViewDialog(FiveViewSettings& settings, QWidget* parent = nullptr);

    // Replaces the desktop's folder chooser of the "directory:" button.
    void SetFolderChooser(FolderChooser chooser) { folderChooser = std::move(chooser); }

  private:
    void BuildForm();
    void Bind();
    void Connect();
    void ApplyEnabling();
    void WidthEdited();
    void SquareClicked();
    void PresetSweep(double sweep);
    void ChooseDirectory();

    QComboBox* samplingMode;
    QLineEdit* back;
    QLineEdit* front;
    QLineEdit* left;
    QLineEdit* right;
    QLineEdit* top;
    QAbstractButton* square;
    QLineEdit* height;
    QLineEdit* width;
    QButtonGroup* outputFormat;
    QLineEdit* baseName;
    QButtonGroup* polarFormat;
    QAbstractButton* sameSize;
    QAbstractButton* directoryButton;
    QLabel* directory;
    QLineEdit* polarSweep;
    QAbstractButton* hemi;
    QAbstractButton* brc;
    QButtonGroup* frameRange;
    QButtonGroup* inputKind;
    QLabel* frameTo;
    QLineEdit* lastFrame;
    QLineEdit* firstFrame;
    QAbstractButton* halfPans;
    QLineEdit* crop;
    FolderChooser folderChooser;
};
