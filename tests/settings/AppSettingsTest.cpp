#include <gtest/gtest.h>

#include "settings/AppSettings.h"

namespace {

TEST(AppSettings, CleanStartGivesDefaultsAndExitStoresEveryKey) {
    MemorySettingsStore store;
    AppSettings settings;
    LoadSettings(settings, store);
    EXPECT_EQ(settings.offMapRed + settings.offMapGreen + settings.offMapBlue, 0);
    EXPECT_EQ(settings.fiveViewBase, "zelk");
    EXPECT_EQ(settings.fiveViewSweep, 180.0);
    ASSERT_FALSE(settings.fiveViewDir.empty());
    EXPECT_EQ(settings.fiveViewDir.back(), '/');
    SaveSettings(settings, store);
    EXPECT_EQ(store.values.size(), 7u);
    EXPECT_EQ(store.values["renderThreads"], "0") << "one thread per core";
    EXPECT_EQ(store.values["fiveViewSweep"], "180.00");
    EXPECT_EQ(store.values["OffMapRed"], "0");
}

TEST(AppSettings, StoredValuesComeBack) {
    MemorySettingsStore store;
    AppSettings settings;
    settings.offMapGreen = 200;
    settings.fiveViewDir = "/renders/";
    settings.fiveViewBase = "shot";
    settings.fiveViewSweep = 212.58;
    settings.renderThreads = 3;
    SaveSettings(settings, store);
    EXPECT_EQ(store.values["fiveViewSweep"], "212.58");
    AppSettings loaded;
    LoadSettings(loaded, store);
    EXPECT_EQ(loaded.offMapGreen, 200);
    EXPECT_EQ(loaded.fiveViewDir, "/renders/");
    EXPECT_EQ(loaded.fiveViewBase, "shot");
    EXPECT_DOUBLE_EQ(loaded.fiveViewSweep, 212.58);
    EXPECT_EQ(loaded.renderThreads, 3);
    store.values["renderThreads"] = "-2";
    LoadSettings(loaded, store);
    EXPECT_EQ(loaded.renderThreads, 0) << "a count below one means one thread per core";
}

TEST(AppSettings, SweepTextConvertsLikeTheCLibraryInAnyLocale) {
    EXPECT_EQ(ParseSweep("abc"), 0.0);
    EXPECT_EQ(ParseSweep("  90.5deg"), 90.5);
    EXPECT_EQ(ParseSweep("+45"), 45.0);
    EXPECT_EQ(ParseSweep(""), 0.0);
    EXPECT_EQ(FormatSweep(0.005), "0.01");
    EXPECT_EQ(FormatSweep(360), "360.00");
}

}  // namespace
