#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "sequence/ImageSequence.h"
#include "sequence/SequenceScan.h"
#include "support/TempDir.h"

namespace {

using Entries = std::vector<std::pair<std::string, int>>;

void Touch(const TempDir& dir, std::initializer_list<const char*> names) {
    for (const char* name : names) std::ofstream(dir.File(name)) << name;
}

Entries EntriesOf(const ImageSequence& sequence) {
    Entries entries;
    for (const SequenceEntry& e : sequence.entries) entries.emplace_back(e.fileName, e.frame);
    return entries;
}

// Runs the test body with the temporary directory as the current one.
class InDirectory {
  public:
    explicit InDirectory(const std::filesystem::path& path)
        : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~InDirectory() { std::filesystem::current_path(previous); }

  private:
    std::filesystem::path previous;
};

TEST(ScanSequence, FramesInNumberOrderWhateverTheNames) {
    TempDir dir;
    // By name front10 comes before front9, and front0002 before front1.
    Touch(dir, {"front10.tga", "front9.tga", "front0002.tga", "front1.tga", "front_old7.tga",
                "front3.png", "back4.tga", "front.tga"});
    std::filesystem::create_directory(dir.File("front5.tga"));
    ImageSequence sequence;
    EXPECT_EQ(ScanSequence(sequence, dir.File("front.tga")), 5);
    EXPECT_EQ(sequence.directory, dir.Path().string() + "/");
    EXPECT_EQ(EntriesOf(sequence), (Entries{{"front1.tga", 1},
                                            {"front0002.tga", 2},
                                            {"front_old7.tga", 7},
                                            {"front9.tga", 9},
                                            {"front10.tga", 10}}));
}

TEST(ScanSequence, EqualFramesKeepTheOrderFound) {
    TempDir dir;
    Touch(dir, {"front1.tga", "front01.tga", "front001.tga", "front0.tga"});
    ImageSequence sequence;
    ASSERT_EQ(ScanSequence(sequence, dir.File("front.tga")), 4);
    EXPECT_EQ(
        EntriesOf(sequence),
        (Entries{{"front0.tga", 0}, {"front001.tga", 1}, {"front01.tga", 1}, {"front1.tga", 1}}));
    ImageSequence inserted;
    for (const auto& [name, frame] : Entries{{"a", 5}, {"b", 3}, {"c", 5}, {"d", 9}, {"e", 3}}) {
        InsertByFrame(inserted, {name, frame});
    }
    EXPECT_EQ(EntriesOf(inserted), (Entries{{"b", 3}, {"e", 3}, {"a", 5}, {"c", 5}, {"d", 9}}));
}

TEST(ScanSequence, CaseIsIgnoredAndTheListingSpellingKept) {
    TempDir dir;
    Touch(dir, {"FRONT0001.tga", "front0002.Tga", "Front0003.TGA"});
    ImageSequence sequence;
    ASSERT_EQ(ScanSequence(sequence, dir.File("Front.tga")), 3);
    EXPECT_EQ(EntriesOf(sequence),
              (Entries{{"FRONT0001.tga", 1}, {"front0002.Tga", 2}, {"Front0003.TGA", 3}}));
}

TEST(ScanSequence, DigitsOnlyStemTakesEveryNumberedFileOfTheExtension) {
    TempDir dir;
    Touch(dir, {"0001.tga", "0002.tga", "left3.tga", "x.tga", "0004.bmp"});
    ImageSequence sequence;
    ASSERT_EQ(ScanSequence(sequence, dir.File(".tga")), 3);
    EXPECT_EQ(EntriesOf(sequence), (Entries{{"0001.tga", 1}, {"0002.tga", 2}, {"left3.tga", 3}}));
}

TEST(ScanSequence, NothingFound) {
    TempDir dir;
    Touch(dir, {"front.tga", "front1.bmp"});
    ImageSequence sequence;
    sequence.directory = "kept/";
    EXPECT_EQ(ScanSequence(sequence, dir.File("front.tga")), 0);
    EXPECT_TRUE(sequence.entries.empty());
    EXPECT_EQ(sequence.directory, "kept/");
    EXPECT_EQ(ScanSequence(sequence, dir.File("nowhere/front.tga")), 0);
}

TEST(CountSequenceFiles, CountsEveryMatchWithLowestHighestAndLastDigits) {
    TempDir dir;
    Touch(dir, {"front0003.tga", "front04.tga", "front.tga", "front7.tga", "front_b12.bmp"});
    int first = 99, last = 99, digits = 99;
    EXPECT_EQ(CountSequenceFiles(dir.File("front.tga"), first, last, digits), 4);
    EXPECT_EQ(first, 0) << "the bare sequence name counts as frame 0";
    EXPECT_EQ(last, 7);
    EXPECT_EQ(digits, 1) << "front7.tga comes last by name";
    EXPECT_EQ(CountSequenceFiles(dir.File("back.tga"), first, last, digits), 0);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(last, -1);
}

TEST(AddSingleFile, RecordsTheDirectoryAlways) {
    TempDir dir;
    Touch(dir, {"Top.TGA"});
    ImageSequence sequence;
    sequence.entries.push_back({"old", 4});
    ASSERT_EQ(AddSingleFile(sequence, dir.File("top.tga")), 1);
    EXPECT_EQ(sequence.directory, dir.Path().string() + "/");
    EXPECT_EQ(EntriesOf(sequence), (Entries{{"Top.TGA", 0}}));
    EXPECT_EQ(AddSingleFile(sequence, dir.File("top1.tga")), 0);
    EXPECT_EQ(AddSingleFile(sequence, dir.Path().string() + "/"), 0);

    const InDirectory inside(dir.Path());
    ImageSequence relative;
    ASSERT_EQ(AddSingleFile(relative, "Top.TGA"), 1);
    EXPECT_EQ(relative.directory, std::filesystem::current_path().string() + "/");
    // A scanned sequence named without directory opens its members from wherever the job is.
    Touch(dir, {"top7.tga"});
    ImageSequence scanned;
    ASSERT_EQ(ScanSequence(scanned, "top.tga"), 1);
    EXPECT_EQ(scanned.directory, "");
}

TEST(SequenceArray, WalkedInFrameOrder) {
    std::array<ImageSequence, 5> views;
    for (int frame : {1, 2, 4}) InsertByFrame(views[0], {"a", frame});
    for (int frame : {2, 3}) InsertByFrame(views[1], {"b", frame});
    InsertByFrame(views[3], {"d", 4});
    EXPECT_EQ(LowestFrontFrame(views), 1) << "the empty views are ignored";

    std::vector<std::string> walk;
    while (AnyEntries(views)) {
        const int frame = LowestFrontFrame(views);
        std::string taken = std::to_string(frame) + ":";
        for (ImageSequence& view : views) {
            if (view.entries.empty() || view.entries.front().frame != frame) continue;
            taken += RemoveFront(view)->fileName;
        }
        walk.push_back(taken);
    }
    EXPECT_EQ(walk, (std::vector<std::string>{"1:a", "2:ab", "3:b", "4:ad"}));
    EXPECT_EQ(LowestFrontFrame(views), -1);
    EXPECT_FALSE(RemoveFront(views[0]).has_value());
}

}  // namespace
