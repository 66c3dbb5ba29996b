#include <gtest/gtest.h>

#include <map>

#include "sequence/FrameList.h"
#include "sequence/FramePattern.h"

namespace {

std::vector<int> Frames(const std::string& text) {
    std::string error;
    const auto frames = ParseFrameList(text, error);
    EXPECT_TRUE(frames) << text << ": " << error;
    return frames.value_or(std::vector<int>{});
}

TEST(FrameList, RangesStepsAndListsInOrderEachOnce) {
    EXPECT_EQ(Frames("7"), std::vector<int>{7});
    EXPECT_EQ(Frames("1-4"), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Frames("1-10x3"), (std::vector<int>{1, 4, 7, 10}));
    EXPECT_EQ(Frames("9-11,1,5,10"), (std::vector<int>{1, 5, 9, 10, 11}));
    EXPECT_EQ(Frames("0-999").size(), 1000u);
}

TEST(FrameList, MalformedListsSayWhichPart) {
    for (const char* bad : {"", "a", "1-", "-3", "5-2", "1-4x0", "3x2", "1,,2", "1-4x", " 1",
                            "1-99999999999", "0-2000000000"}) {
        std::string error;
        EXPECT_FALSE(ParseFrameList(bad, error)) << bad;
        EXPECT_NE(error.find("is no frame"), std::string::npos) << bad;
    }
}

TEST(FrameList, ChunksCoverEveryFrameExactlyOnce) {
    const std::vector<int> frames = Frames("1-1000x3");  // 334 frames
    for (int parts : {1, 2, 3, 7, 334, 500}) {
        std::map<int, int> seen;
        size_t smallest = frames.size(), largest = 0;
        for (int part = 1; part <= parts; ++part) {
            const std::vector<int> share = ChunkOf(frames, part, parts);
            smallest = std::min(smallest, share.size());
            largest = std::max(largest, share.size());
            EXPECT_TRUE(std::is_sorted(share.begin(), share.end()));
            for (int f : share) ++seen[f];
        }
        EXPECT_EQ(seen.size(), frames.size()) << parts;
        for (const auto& [frame, times] : seen) EXPECT_EQ(times, 1) << frame;
        EXPECT_LE(largest - smallest, 1u) << "shares differ by one frame at most";
    }
    EXPECT_EQ(ChunkOf({4, 5}, 1, 3), std::vector<int>{}) << "more parts than frames";
    EXPECT_EQ(ChunkOf({4, 5}, 2, 3), std::vector<int>{4});
    EXPECT_EQ(ChunkOf({4, 5}, 3, 3), std::vector<int>{5});
}

TEST(FrameList, ChunkTextIsKOfN) {
    std::string error;
    EXPECT_EQ(ParseChunk("3/8", error), (std::pair{3, 8}));
    for (const char* bad : {"0/4", "5/4", "4", "a/b", "1/", "/2", "-1/2"}) {
        EXPECT_FALSE(ParseChunk(bad, error)) << bad;
    }
}

TEST(FramePattern, PrintfAndHashTokensNameEachFrame) {
    std::string error;
    EXPECT_EQ(FramePattern::Parse("shot/left.%05d.png", error)->NameOf(42), "shot/left.00042.png");
    EXPECT_EQ(FramePattern::Parse("dome.####.tga", error)->NameOf(7), "dome.0007.tga");
    EXPECT_EQ(FramePattern::Parse("dome.####.tga", error)->NameOf(123456), "dome.123456.tga");
    EXPECT_EQ(FramePattern::Parse("f%d.bmp", error)->NameOf(12), "f12.bmp");
    const auto single = FramePattern::Parse("/renders/top.bmp", error);
    EXPECT_FALSE(single->Numbered());
    EXPECT_EQ(single->NameOf(9), "/renders/top.bmp");
    EXPECT_EQ(FramePattern::Parse("100%.png", error)->NameOf(3), "100%.png") << "not a token";
    EXPECT_FALSE(FramePattern::Parse("a.%04d.##.png", error));
    EXPECT_NE(error.find("more than one frame number"), std::string::npos);
}

}  // namespace
