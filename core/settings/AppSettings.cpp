#include "settings/AppSettings.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "util/NumberText.h"

namespace {

constexpr const char* kOffMapRed = "OffMapRed";
constexpr const char* kOffMapGreen = "OffMapGreen";
constexpr const char* kOffMapBlue = "OffMapBlue";
constexpr const char* kFiveViewDir = "fiveViewDir";
constexpr const char* kFiveViewBase = "fiveViewBase";
constexpr const char* kFiveViewSweep = "fiveViewSweep";
constexpr const char* kRenderThreads = "renderThreads";

}  // namespace

std::string AppSettings::DefaultDirectory() {
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "") + "/";
}

std::string FormatSweep(double sweep) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, sweep, std::chars_format::fixed, 2);
    return std::string(text, result.ptr);
}

double ParseSweep(const std::string& text) {
    return ParseDouble(text);
}

void LoadSettings(AppSettings& settings, SettingsStore& store) {
    settings.offMapRed = store.ReadInt(kOffMapRed).value_or(settings.offMapRed);
    settings.offMapGreen = store.ReadInt(kOffMapGreen).value_or(settings.offMapGreen);
    settings.offMapBlue = store.ReadInt(kOffMapBlue).value_or(settings.offMapBlue);
    settings.fiveViewDir = store.ReadString(kFiveViewDir).value_or(settings.fiveViewDir);
    settings.fiveViewBase = store.ReadString(kFiveViewBase).value_or(settings.fiveViewBase);
    settings.fiveViewSweep = ParseSweep(store.ReadString(kFiveViewSweep).value_or("180"));
    settings.renderThreads =
        std::max(0, store.ReadInt(kRenderThreads).value_or(settings.renderThreads));
}

void SaveSettings(const AppSettings& settings, SettingsStore& store) {
    store.WriteInt(kOffMapRed, settings.offMapRed);
    store.WriteInt(kOffMapGreen, settings.offMapGreen);
    store.WriteInt(kOffMapBlue, settings.offMapBlue);
    store.WriteString(kFiveViewDir, settings.fiveViewDir);
    store.WriteString(kFiveViewBase, settings.fiveViewBase);
    store.WriteString(kFiveViewSweep, FormatSweep(settings.fiveViewSweep));
    store.WriteInt(kRenderThreads, settings.renderThreads);
}
