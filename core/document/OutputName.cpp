#include "document/OutputName.h"

#include "image/FileTypeTable.h"

int CheckOutputName(const std::string& path, Messages& messages) {
    if (HasWritableExtension(path)) return 1;
    const std::string allowed = WritableExtensionList();
    messages.Show(allowed.empty() ? "No valid output file extensions - can't write image file!"
                                  : "Image output file name extension must be one of:\n" + allowed,
                  MessageButtons::kOk);
    return 0;
}
