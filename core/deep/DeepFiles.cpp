#include "deep/DeepFiles.h"

#include "util/AtomicFile.h"
#include "util/PathParts.h"

namespace {

std::string ExtensionOf(const std::string& name) {
    const size_t dot = name.rfind('.');
    const size_t slash = name.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return AsciiLower(name.substr(dot + 1));
}

bool IsTiff(const std::string& extension) {
    return extension == "tif" || extension == "tiff";
}

}  // namespace

bool IsDeepFileName(const std::string& name) {
    const std::string extension = ExtensionOf(name);
    return extension == "png" || extension == "exr" || IsTiff(extension);
}

bool ReadDeepPicture(const std::string& name, DeepPicture& picture, std::string& problem) {
    const std::string extension = ExtensionOf(name);
    if (extension == "png") return ReadDeepPng(name, picture, problem);
    if (IsTiff(extension)) return ReadDeepTiff(name, picture, problem);
    if (extension == "exr") return ReadDeepExr(name, picture, problem);
    problem = "not a PNG, TIFF or OpenEXR name";
    return false;
}

bool WriteDeepPicture(const std::string& name, const DeepPicture& picture,
                      const DeepWriteOptions& options, std::string& problem) {
    const std::string extension = ExtensionOf(name);
    if (!IsDeepFileName(name)) {
        problem = "not a PNG, TIFF or OpenEXR name";
        return false;
    }
    AtomicFile file(name);
    if (!file.IsOpen()) {
        problem = "cannot write in that folder";
        return false;
    }
    const bool written =
        extension == "png"   ? WriteDeepPng(file.WriteName(), picture, options, problem)
        : extension == "exr" ? WriteDeepExr(file.WriteName(), picture, options, problem)
                             : WriteDeepTiff(file.WriteName(), picture, options, problem);
    if (!written) {
        file.Discard();
        return false;
    }
    if (!file.Commit()) {
        problem = "could not finish the file";
        return false;
    }
    return true;
}
