#pragma once

#include <string>

#include "settings/SettingsStore.h"

// The program's persistent settings: the off-map colour of the transforms, the last
// directory, base name and polar sweep of the five-view job, and how many threads render
// (0: one per core).
struct AppSettings {
    int offMapRed = 0;
    int offMapGreen = 0;
    int offMapBlue = 0;
    std::string fiveViewDir = DefaultDirectory();
    std::string fiveViewBase = "zelk";
    double fiveViewSweep = 180.0;
    int renderThreads = 0;

    // The user's home directory followed by "/".
    static std::string DefaultDirectory();
};

// Missing keys keep the current values (the sweep falls back to 180; a sweep that is not a
// number reads as 0; a negative thread count means one per core).
void LoadSettings(AppSettings& settings, SettingsStore& store);
void SaveSettings(const AppSettings& settings, SettingsStore& store);

// Locale-independent conversions of the sweep: "%.2f" out, the longest number prefix in.
std::string FormatSweep(double sweep);
double ParseSweep(const std::string& text);
