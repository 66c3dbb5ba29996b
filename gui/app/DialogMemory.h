#pragma once

#include "settings/SettingsStore.h"

struct ChannelFiles;
struct FiveViewSettings;

// What the desktop's job dialogs remember for their next showing, in this session and the
// next: the "5 View Polar" face files and frame choice, and the "Channel Source Files" views
// and output type. Kept in a section of their own, so the settings' keys stay as they are;
// a key never written leaves the dialog's default.
void RecallFiveViewFiles(FiveViewSettings& settings, SettingsStore& store);
void RememberFiveViewFiles(const FiveViewSettings& settings, SettingsStore& store);
void RecallChannelFiles(ChannelFiles& files, SettingsStore& store);
void RememberChannelFiles(const ChannelFiles& files, SettingsStore& store);
