#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>

class QWidget;

// What the image file dialog asks of a file chooser, and what the chooser answers. Filter
// positions count from 1, as the user sees them.
struct FileChooserRequest {
    bool forOpen = true;
    bool mustExist = true;
    QStringList nameFilters;
    int selectedFilter = 1;
    QString initialName;
    // Where the dialog starts when the initial name has no folder: the last picture's.
    QString folder;
};

struct FileChooserAnswer {
    bool confirmed = false;
    QString path;
    int selectedFilter = 0;
};

using FileChooser = std::function<FileChooserAnswer(QWidget* parent, const FileChooserRequest&)>;

// Installs the chooser every image file dialog uses and answers the one it replaces; an
// empty chooser stands for the desktop's file dialog. Tests put a scripted one in.
FileChooser SetFileChooser(FileChooser chooser);

enum class FileDialogMode { kOpen, kSave };

// The longest name the dialog takes and gives back: the longest path Linux takes.
inline constexpr int kMaxImageFileName = 4095;

// Asks for an image file to open (existing files only) or to save, offering the readable or
// writable types. name: the initial name (cut to kMaxImageFileName characters), on
// confirmation the chosen full path. type: for a save, the type whose filter is preselected;
// on confirmation, the type of the chosen name's extension (-1 when no offered type has it).
// Answers 1 when the user confirmed. A confirmed open dialog's filter is preselected by the
// next open dialog.
int ImageFileDialog(QWidget* parent, std::string& name, FileDialogMode mode, int& type);

// "GIF files (*.gif)", ..., "All Files (*)": the type table's filter list as the chooser
// takes it.
QStringList ImageNameFilters(bool forOpen);

// The filter position the next open dialog preselects, and its start value for a test that
// needs the application's first dialog.
int RememberedOpenFilter();
// The folder of the picture last chosen in any image file dialog, where the next one starts
// (the current directory before the first); an application keeps it across runs.
QString RememberedPictureFolder();
void SetRememberedPictureFolder(const QString& folder);
void ForgetOpenFilter();
