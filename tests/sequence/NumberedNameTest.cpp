#include <gtest/gtest.h>

#include <climits>

#include "sequence/NumberedName.h"
#include "sequence/NumberedOutput.h"
#include "util/PathParts.h"

namespace {

TEST(NumberedName, SequenceNameDropsTheDigitsBeforeTheExtension) {
    EXPECT_EQ(SequenceNameOf("/anim/front0001.tga"), "/anim/front.tga");
    EXPECT_EQ(SequenceNameOf("/anim/0001.tga"), "/anim/.tga");
    EXPECT_EQ(SequenceNameOf("/anim/front.tga"), "/anim/front.tga");
    EXPECT_EQ(SequenceNameOf("/anim/front12"), "/anim/front");
    // Without an extension of its own the name's last dot is a directory's.
    EXPECT_EQ(SequenceNameOf("/anim/v2.1/front"), "/anim/v.1/front");
    EXPECT_EQ(SequenceNameOf("take3.front12.tga"), "take3.front.tga");
}

TEST(NumberedName, FrameNumberAndDigitCount) {
    struct Case {
        const char* name;
        int frame, digits;
    } cases[] = {
        {"front0001.tga", 1, 4},
        {"front0000.tga", 0, 4},
        {"front10.tga", 10, 2},
        {"front.tga", 0, 0},
        {".tga", -1, 0},
        {"front_old7.tga", 7, 1},
        {"front42", 42, 2},
        {"f2147483647.tga", INT_MAX, 10},
        {"f99999999999.tga", INT_MAX, 11},
        {"f000000000000000012.tga", 12, 18},
    };
    for (const Case& c : cases) {
        int digits = -5;
        EXPECT_EQ(FrameNumberOf(c.name, digits), c.frame) << c.name;
        EXPECT_EQ(digits, c.digits) << c.name;
    }
}

TEST(NumberedName, HasFrameNumberNeedsADigitBeforeTheLastDot) {
    EXPECT_TRUE(HasFrameNumber("front7.tga"));
    EXPECT_TRUE(HasFrameNumber("7.tga"));
    EXPECT_FALSE(HasFrameNumber("front.tga"));
    EXPECT_FALSE(HasFrameNumber("front7"));
    EXPECT_FALSE(HasFrameNumber(".7"));
    EXPECT_FALSE(HasFrameNumber("front7.tga.bak"));
}

TEST(PathParts, SplitAndJoinAgain) {
    struct Case {
        const char* path;
        const char *directory, *name, *extension;
    } cases[] = {
        {"/out/pan.bmp", "/out/", "pan", ".bmp"},
        {"pan.bmp", "", "pan", ".bmp"},
        {"/out.d/pan", "/out.d/", "pan", ""},
        {"/out/pan.x.bmp", "/out/", "pan.x", ".bmp"},
        {"/out/", "/out/", "", ""},
    };
    for (const Case& c : cases) {
        const PathParts parts = SplitPath(c.path);
        EXPECT_EQ(parts.drive, "");
        EXPECT_EQ(parts.directory, c.directory) << c.path;
        EXPECT_EQ(parts.name, c.name) << c.path;
        EXPECT_EQ(parts.extension, c.extension) << c.path;
    }
}

TEST(NumberedOutput, NamesAndTexts) {
    const PathParts out = SplitPath("/out/pan.bmp");
    EXPECT_EQ(NumberedOutputName(out, 4, 7), "/out/pan0007.bmp");
    EXPECT_EQ(NumberedOutputName(out, 2, 123), "/out/pan123.bmp");
    EXPECT_EQ(NumberedOutputName(out, 0, 7), "/out/pan7.bmp");
    EXPECT_EQ(NumberedDisplayName(out, 4), "/out/pan####.bmp");
    EXPECT_EQ(FiveViewOutputName("/out/", "dome", 7, ".tga"), "/out/dome00007.tga");
    EXPECT_EQ(FiveViewOutputName("", "dome", 1234567, ".jpg"), "dome1234567.jpg");
    EXPECT_EQ(NoFilesInSequenceMessage("/a/f%d.tga"), "No files in sequence '/a/f%d.tga' ?!");
    EXPECT_EQ(SequenceRunMessage(3, "/a/f.tga", 3, 7, "/out/pan##.bmp"),
              "3 files in sequence '/a/f.tga' (3 to 7)\n output as /out/pan##.bmp");
}

}  // namespace
