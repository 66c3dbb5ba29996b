#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "mapdoc/PanSettings.h"

// kMapNoAA, kMap4x or kMap7x for "none", "4x" or "7x"; -1 for any other name.
int AntiAliasingOf(const std::string& name);

// The panorama's options, with the "New mosa parameters" dialog's defaults and ranges:
// --size WxH, --azi LEFT,RIGHT, --alt BOTTOM,TOP and, for the flat mappings, --eye X,Y,Z and
// --aa none|4x|7x.
class PanoramaOptions {
  public:
    void AddTo(CLI::App& verb, bool withEyeAndAntiAliasing);
    // Writes the options given into the settings (all of them unless onlyGiven); none when
    // they are good, else the exit status after the message.
    std::optional<int> ApplyTo(PanSettings& pan, bool onlyGiven) const;

  private:
    struct Field {
        std::string text;
        CLI::Option* option = nullptr;
        bool Wanted(bool onlyGiven) const { return option && (!onlyGiven || option->count()); }
    };
    Field size{"1800x486"};
    Field azimuths{"-100,100"};
    Field altitudes{"0,60"};
    Field eye{"0,0,0"};
    Field antiAliasing{"none"};
};
