#include "batch/ShotList.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>

#include "batch/PanoramaOptions.h"
#include "batch/VerbRun.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// A problem at a place in the list, thrown to the reader's one catch.
struct Malformed {
    std::string text;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw Malformed{where + ": " + what};
}

void OnlyKeys(const json& object, const std::string& where, const std::set<std::string>& keys) {
    if (!object.is_object()) Fail(where, "expected an object");
    for (const auto& [key, value] : object.items()) {
        if (!keys.count(key)) Fail(where, "unknown key \"" + key + "\"");
    }
}

double Number(const json& value, const std::string& where, const ValueRange& range) {
    if (!value.is_number() || !range.Holds(value.get<double>())) {
        Fail(where, "expected a number from " + RangeText(range));
    }
    return value.get<double>();
}

int Whole(const json& value, const std::string& where, int low, int high) {
    if (!value.is_number_integer() || value.get<int64_t>() < low || value.get<int64_t>() > high) {
        Fail(where,
             "expected a whole number from " + std::to_string(low) + " to " + std::to_string(high));
    }
    return value.get<int>();
}

void Pair(const json& value, const std::string& where, const ValueRange& range, double& first,
          double& second) {
    if (!value.is_array() || value.size() != 2) {
        Fail(where, "expected [A, B], each from " + RangeText(range));
    }
    first = Number(value[0], where + "[0]", range);
    second = Number(value[1], where + "[1]", range);
}

void ReadPanorama(const json& root, PanSettings& pan) {
    if (root.contains("width")) pan.width = Whole(root["width"], "width", 1, 32767);
    if (root.contains("height")) pan.height = Whole(root["height"], "height", 1, 32767);
    if (root.contains("azimuth")) {
        Pair(root["azimuth"], "azimuth", kPanAzimuths, pan.azimuthLeft, pan.azimuthRight);
    }
    if (root.contains("altitude")) {
        Pair(root["altitude"], "altitude", kPanAltitudes, pan.altitudeBottom, pan.altitudeTop);
    }
    if (root.contains("eye")) {
        const json& eye = root["eye"];
        if (!eye.is_array() || eye.size() != 3) Fail("eye", "expected [X, Y, Z]");
        pan.eyeX = Number(eye[0], "eye[0]", kPanEyeCoordinates);
        pan.eyeY = Number(eye[1], "eye[1]", kPanEyeCoordinates);
        pan.eyeZ = Number(eye[2], "eye[2]", kPanEyeCoordinates);
        if (!(pan.eyeX * pan.eyeX + pan.eyeY * pan.eyeY + pan.eyeZ * pan.eyeZ < 1)) {
            Fail("eye", "expected a point inside the unit sphere");
        }
    }
    if (root.contains("aa")) {
        const json& aa = root["aa"];
        pan.antiAliasing = aa.is_string() ? AntiAliasingOf(aa.get<std::string>()) : -1;
        if (pan.antiAliasing < 0) Fail("aa", "expected \"none\", \"4x\" or \"7x\"");
    }
}

ShotView ReadView(const json& view, const std::string& where, const fs::path& folder) {
    OnlyKeys(view, where, {"file", "azimuth", "elevation", "roll", "fov"});
    ShotView shot;
    if (!view.contains("file") || !view["file"].is_string() ||
        view["file"].get<std::string>().empty()) {
        Fail(where + ".file", "expected the name of the view's picture or frame pattern");
    }
    const fs::path file = view["file"].get<std::string>();
    shot.file = (file.is_absolute() ? file : folder / file).lexically_normal().string();
    PatchParameters& camera = shot.camera;
    if (view.contains("azimuth")) {
        camera.azimuth = Number(view["azimuth"], where + ".azimuth", kPatchAzimuths);
    }
    if (view.contains("elevation")) {
        camera.elevation = Number(view["elevation"], where + ".elevation", kPatchElevations);
    }
    if (view.contains("roll")) camera.roll = Number(view["roll"], where + ".roll", kPatchRolls);
    if (view.contains("fov")) {
        Pair(view["fov"], where + ".fov", kPatchFieldsOfView, camera.horizontal, camera.vertical);
    }
    return shot;
}

}  // namespace

ShotListProblem ReadShotList(const std::string& path, ShotList& list, std::string& problem) {
    std::ifstream in(path);
    if (!in) {
        problem = path + ": cannot read the shot list";
        return ShotListProblem::kUnreadable;
    }
    try {
        const json root = json::parse(in);
        OnlyKeys(root, "the list",
                 {"width", "height", "azimuth", "altitude", "eye", "aa", "views"});
        list.pan = NewDocumentPanSettings();
        ReadPanorama(root, list.pan);
        if (!root.contains("views") || !root["views"].is_array() || root["views"].empty()) {
            Fail("views", "expected a list of one view or more");
        }
        const fs::path folder = fs::path(path).parent_path();
        for (size_t i = 0; i < root["views"].size(); ++i) {
            list.views.push_back(
                ReadView(root["views"][i], "views[" + std::to_string(i) + "]", folder));
        }
    } catch (const json::exception& error) {
        problem = path + ": " + error.what();
        return ShotListProblem::kMalformed;
    } catch (const Malformed& malformed) {
        problem = path + ": " + malformed.text;
        return ShotListProblem::kMalformed;
    }
    return ShotListProblem::kNone;
}
