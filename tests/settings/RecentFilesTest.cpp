#include <gtest/gtest.h>

#include "settings/RecentFiles.h"

namespace {

TEST(RecentFiles, NewestFirstEachOnceAtMostFour) {
    RecentFiles recent;
    for (const char* path : {"a", "b", "c", "b", "d", "e"}) recent.Add(path);
    EXPECT_EQ(recent.Paths(), (std::vector<std::string>{"e", "d", "b", "c"}));
}

TEST(RecentFiles, StoredListComesBackAndAShorterOneLeavesNoStaleKey) {
    MemorySettingsStore store;
    RecentFiles recent;
    for (const char* path : {"/p/a.bmp", "/p/b.tga", "/p/c.png"}) recent.Add(path);
    recent.Save(store);
    EXPECT_EQ(store.values.size(), 4u);
    EXPECT_EQ(store.values["File1"], "/p/c.png");
    EXPECT_EQ(store.values["File4"], "");

    RecentFiles loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded.Paths(), recent.Paths());

    store.values["File1"] = "";  // a gap written by another version
    loaded.Load(store);
    EXPECT_EQ(loaded.Paths(), (std::vector<std::string>{"/p/b.tga", "/p/a.bmp"}));
    RecentFiles fresh;
    fresh.Add("/q/only.bmp");
    fresh.Save(store);
    loaded.Load(store);
    EXPECT_EQ(loaded.Paths(), std::vector<std::string>{"/q/only.bmp"});
}

}  // namespace
