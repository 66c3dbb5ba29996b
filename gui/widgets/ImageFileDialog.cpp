#include "gui/widgets/ImageFileDialog.h"

#include <strings.h>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "image/FileTypeTable.h"
#include "sequence/NumberedName.h"

namespace {

// The filter an open dialog was last confirmed with; kept while the application runs.
int rememberedOpenFilter = kInitialOpenFilter;
QString rememberedFolder;

FileChooser& InstalledChooser() {
    static FileChooser chooser;
    return chooser;
}

FileChooserAnswer DesktopFileChooser(QWidget* parent, const FileChooserRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(request.forOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(request.nameFilters);
    if (request.selectedFilter >= 1 && request.selectedFilter <= request.nameFilters.size()) {
        dialog.selectNameFilter(request.nameFilters[request.selectedFilter - 1]);
    }
    if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
    if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
    FileChooserAnswer answer;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return answer;
    answer.confirmed = true;
    answer.path = dialog.selectedFiles().front();
    answer.selectedFilter = request.nameFilters.indexOf(dialog.selectedNameFilter()) + 1;
    return answer;
}

bool Offered(const FileTypeEntry& entry, bool forOpen) {
    return forOpen ? entry.readable : entry.writable;
}

// A save dialog opens on the requested type's own filter, or on "All supported types".
int SaveFilterOfType(int type) {
    int position = 1;
    for (const FileTypeEntry& entry : FileTypeTable()) {
        if (!entry.writable) continue;
        ++position;
        if (entry.type == type) return position;
    }
    return 1;
}

int OfferedTypeOfName(const std::string& path, bool forOpen) {
    const std::string extension = ExtensionOf(path);
    for (const FileTypeEntry& entry : FileTypeTable()) {
        if (Offered(entry, forOpen) && strcasecmp(extension.c_str(), entry.extension) == 0) {
            return entry.type;
        }
    }
    return -1;
}

}  // namespace

FileChooser SetFileChooser(FileChooser chooser) {
    FileChooser previous = std::move(InstalledChooser());
    InstalledChooser() = std::move(chooser);
    return previous;
}

QStringList ImageNameFilters(bool forOpen) {
    // The list reads "description|patterns|...|" and ends with an empty pair; patterns are
    // ";"-separated and "*.*" means any file, which here need not have a dot.
    const QStringList parts =
        QString::fromStdString(FileFilterList(forOpen)).split('|', Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        if (patterns == QStringLiteral("*.*")) patterns = QStringLiteral("*");
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters;
}

int ImageFileDialog(QWidget* parent, std::string& name, FileDialogMode mode, int& type) {
    const bool forOpen = mode == FileDialogMode::kOpen;
    FileChooserRequest request;
    request.forOpen = forOpen;
    request.mustExist = forOpen;
    request.nameFilters = ImageNameFilters(forOpen);
    request.selectedFilter = forOpen ? rememberedOpenFilter : SaveFilterOfType(type);
    request.initialName = QString::fromStdString(name).left(kMaxImageFileName);
    name = request.initialName.toStdString();
    request.folder = RememberedPictureFolder();

    const FileChooser& chooser = InstalledChooser();
    const FileChooserAnswer answer =
        chooser ? chooser(parent, request) : DesktopFileChooser(parent, request);
    // A path longer than the name may be is refused as if the user had cancelled.
    if (!answer.confirmed || answer.path.size() > kMaxImageFileName) return 0;

    name = answer.path.toStdString();
    type = OfferedTypeOfName(name, forOpen);
    rememberedFolder = QFileInfo(answer.path).absolutePath();
    if (forOpen && answer.selectedFilter >= 1 &&
        answer.selectedFilter <= request.nameFilters.size()) {
        rememberedOpenFilter = answer.selectedFilter;
    }
    return 1;
}

QString RememberedPictureFolder() {
    return rememberedFolder.isEmpty() ? QDir::currentPath() : rememberedFolder;
}

void SetRememberedPictureFolder(const QString& folder) {
    rememberedFolder = folder;
}

int RememberedOpenFilter() {
    return rememberedOpenFilter;
}

void ForgetOpenFilter() {
    rememberedOpenFilter = kInitialOpenFilter;
}
