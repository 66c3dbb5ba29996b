#include "batch/InfoVerb.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "image/FileTypeTable.h"
#include "image/Image.h"

namespace {

const char* TypeName(int type) {
    for (const FileTypeEntry& entry : FileTypeTable()) {
        if (entry.type == type) return entry.extension;
    }
    return "unknown";
}

nlohmann::json Describe(const std::string& file) {
    CImage picture(file, kTypeFromExtension);
    nlohmann::json about = {{"file", file}};
    if (!picture.HasImage()) {
        std::string why = "cannot read";
        for (const std::string& problem : picture.Problems()) why += ": " + problem;
        about["error"] = why;
        return about;
    }
    const CPalette* palette = picture.GetImpl()->GetPalette();
    about["type"] = TypeName(picture.FileType());
    about["width"] = picture.Width();
    about["height"] = picture.Height();
    about["bits"] = picture.BitsPerPixel();
    about["palette"] = palette ? palette->Count() : 0;
    about["alpha"] = picture.AlphaBits() != nullptr;
    if (picture.Truncated()) about["rows_read"] = picture.RowsRead();
    return about;
}

}  // namespace

void InfoVerb::AddTo(CLI::App& app) {
    CLI::App* verb = app.add_subcommand("info", "Tell what picture files hold");
    verb->add_option("files", files, "Picture files")->required();
    verb->add_flag("--json", json, "One JSON array of objects instead of text");
}

int InfoVerb::Run() const {
    nlohmann::json all = nlohmann::json::array();
    int status = 0;
    for (const std::string& file : files) {
        const nlohmann::json about = Describe(file);
        if (about.contains("error")) status = 1;
        if (json) {
            all.push_back(about);
        } else if (about.contains("error")) {
            std::fprintf(stderr, "%s: %s\n", file.c_str(),
                         about["error"].get<std::string>().c_str());
        } else {
            std::printf("%s: %s %d x %d, %d bits, %d palette entries, %s alpha%s\n", file.c_str(),
                        about["type"].get<std::string>().c_str(), about["width"].get<int>(),
                        about["height"].get<int>(), about["bits"].get<int>(),
                        about["palette"].get<int>(), about["alpha"].get<bool>() ? "with" : "no",
                        about.contains("rows_read") ? " (file ends early)" : "");
        }
    }
    if (json) std::printf("%s\n", all.dump().c_str());
    return status;
}
