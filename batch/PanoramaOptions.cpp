#include "batch/PanoramaOptions.h"

#include <cstdio>

#include "batch/VerbRun.h"

namespace {

// "A,B" with both in the range.
std::optional<int> ReadPair(const std::string& option, const std::string& text, const char* names,
                            const ValueRange& range, double& first, double& second) {
    if (ParsePair(text, first, second) && range.Holds(first) && range.Holds(second)) {
        return std::nullopt;
    }
    return BadValue(option,
                    "'" + text + "' is no pair of degrees " + names + ", each " + RangeText(range));
}

}  // namespace

int AntiAliasingOf(const std::string& name) {
    if (name == "none") return kMapNoAA;
    if (name == "4x") return kMap4x;
    if (name == "7x") return kMap7x;
    return -1;
}

void PanoramaOptions::AddTo(CLI::App& verb, bool withEyeAndAntiAliasing) {
    size.option = verb.add_option("--size", size.text, "Panorama size WxH")->capture_default_str();
    azimuths.option =
        verb.add_option("--azi", azimuths.text, "Panorama azimuths LEFT,RIGHT in degrees")
            ->capture_default_str();
    altitudes.option =
        verb.add_option("--alt", altitudes.text, "Panorama altitudes BOTTOM,TOP in degrees")
            ->capture_default_str();
    if (!withEyeAndAntiAliasing) return;
    eye.option = verb.add_option("--eye", eye.text, "Eyepoint X,Y,Z inside the unit sphere")
                     ->capture_default_str();
    antiAliasing.option = verb.add_option("--aa", antiAliasing.text, "Anti-aliasing")
                              ->check(CLI::IsMember({"none", "4x", "7x"}))
                              ->capture_default_str();
}

std::optional<int> PanoramaOptions::ApplyTo(PanSettings& pan, bool onlyGiven) const {
    std::string problem;
    if (size.Wanted(onlyGiven) && !ParseSize(size.text, pan.width, pan.height, problem)) {
        return BadValue("--size", problem);
    }
    if (azimuths.Wanted(onlyGiven)) {
        if (const auto status = ReadPair("--azi", azimuths.text, "LEFT,RIGHT", kPanAzimuths,
                                         pan.azimuthLeft, pan.azimuthRight)) {
            return status;
        }
    }
    if (altitudes.Wanted(onlyGiven)) {
        if (const auto status = ReadPair("--alt", altitudes.text, "BOTTOM,TOP", kPanAltitudes,
                                         pan.altitudeBottom, pan.altitudeTop)) {
            return status;
        }
    }
    if (eye.Wanted(onlyGiven)) {
        char rest = 0;
        double x = 0, y = 0, z = 0;
        if (std::sscanf(eye.text.c_str(), "%lf,%lf,%lf%c", &x, &y, &z, &rest) != 3 ||
            !(x * x + y * y + z * z < 1)) {
            return BadValue("--eye", "'" + eye.text + "' is no point X,Y,Z inside the unit sphere");
        }
        pan.eyeX = x;
        pan.eyeY = y;
        pan.eyeZ = z;
    }
    if (antiAliasing.Wanted(onlyGiven)) {
        pan.antiAliasing = AntiAliasingOf(antiAliasing.text);
    }
    return std::nullopt;
}
