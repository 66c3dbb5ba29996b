#include "batch/DeepOptions.h"

#include <filesystem>

#include "batch/VerbRun.h"
#include "image/CodecSettings.h"
#include "util/PathParts.h"

namespace {

std::string ExtensionOf(const std::string& name) {
    return AsciiLower(std::filesystem::path(name).extension().string());
}

}  // namespace

void DeepOptions::AddTo(CLI::App& verb) {
    verb.add_option("--depth", depth,
                    "Samples of the output: 8, 16, half or float (auto: 8 for 8-bit files, "
                    "16 for TIFF, half for OpenEXR)")
        ->check(CLI::IsMember({"auto", "8", "16", "half", "float"}))
        ->capture_default_str();
    verb.add_option("--exr-compression", exrCompression, "OpenEXR outputs' compression")
        ->check(CLI::IsMember({"none", "zip", "piz", "dwaa"}))
        ->capture_default_str();
    verb.add_option("--tiff-compression", tiffCompression, "TIFF outputs' compression")
        ->check(CLI::IsMember({"none", "lzw", "deflate"}))
        ->capture_default_str();
}

bool DeepOptions::Wanted(const std::vector<std::string>& names) const {
    if (depth != "auto" && depth != "8") return true;
    for (const std::string& name : names) {
        const std::string extension = ExtensionOf(name);
        if (extension == ".exr" || extension == ".tif" || extension == ".tiff") return true;
    }
    return false;
}

std::optional<int> DeepOptions::WriteOptionsFor(const std::string& out,
                                                DeepWriteOptions& write) const {
    if (!IsDeepFileName(out)) {
        return BadValue("--out", "deep pictures are written as .png, .tif, .tiff or .exr");
    }
    const std::string extension = ExtensionOf(out);
    const bool exr = extension == ".exr";
    write.depth = depth == "8"                                  ? SampleDepth::k8
                  : depth == "float"                            ? SampleDepth::kFloat
                  : depth == "half" || (depth == "auto" && exr) ? SampleDepth::kHalf
                                                                : SampleDepth::k16;
    if (exr && (write.depth == SampleDepth::k8 || write.depth == SampleDepth::k16)) {
        return BadValue("--depth", "'" + depth + "': OpenEXR holds half or float samples");
    }
    if (!exr && write.depth == SampleDepth::kHalf) {
        return BadValue("--depth", "'half' is for OpenEXR outputs");
    }
    if (extension == ".png" && write.depth == SampleDepth::kFloat) {
        return BadValue("--depth", "'float': PNG holds 8 or 16 bits");
    }
    write.exrCompression = exrCompression == "none"   ? ExrCompression::kNone
                           : exrCompression == "piz"  ? ExrCompression::kPiz
                           : exrCompression == "dwaa" ? ExrCompression::kDwaa
                                                      : ExrCompression::kZip;
    write.tiffCompression = tiffCompression == "none"  ? TiffCompression::kNone
                            : tiffCompression == "lzw" ? TiffCompression::kLzw
                                                       : TiffCompression::kDeflate;
    write.pngLevel = Codecs().pngLevel;
    return std::nullopt;
}

std::optional<int> DeepOptions::Choose(const std::vector<std::string>& names,
                                       const std::string& out, bool& deepPath,
                                       DeepWriteOptions& write) const {
    deepPath = Wanted(names);
    if (!deepPath) return std::nullopt;
    return WriteOptionsFor(out, write);
}
