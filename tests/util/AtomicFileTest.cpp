#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "image/Image.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "util/AtomicFile.h"
#include "util/CancelRequest.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

CImage Picture(int width, int height) {
    CImage picture;
    picture.Create(width, height, 24, -1);
    // Noise, so that no format compresses it under the full disk's few kilobytes.
    uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            picture.SetRGB(x, y, state >> 24, (state >> 16) & 255, (state >> 8) & 255);
        }
    }
    return picture;
}

// Saves in a child process whose files may not grow past a few kilobytes: the write fails
// as on a full disk. Answers SaveAs's result.
int SaveOnAFullDisk(CImage& picture, const std::string& name) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(picture.SaveAs(name));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every writer, on a full disk, leaves the old file byte for byte and nothing else.
TEST(AtomicFile, AFullDiskKeepsTheOldFileOfEveryType) {
    TempDir dir;
    CImage picture = Picture(300, 200);
    for (const char* name : {"f.bmp", "f.tga", "f.png", "f.jpg", "f.pic"}) {
        const std::vector<uint8_t> old = {1, 2, 3, 4, 5};
        WriteFileBytes(dir.File(name), old);
        EXPECT_EQ(SaveOnAFullDisk(picture, dir.File(name)), 0) << name;
        EXPECT_EQ(ReadFileBytes(dir.File(name)), old) << name;
    }
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"f.bmp", "f.jpg", "f.pic", "f.png", "f.tga"}));
    EXPECT_EQ(picture.SaveAs(dir.File("f.png")), 1) << "the same save with room succeeds";
    EXPECT_EQ(CImage(dir.File("f.png"), -1).Width(), 300);
}

TEST(AtomicFile, AFailedWriteLeavesNoTemporary) {
    TempDir dir;
    CImage colour = Picture(4, 4);
    WriteFileBytes(dir.File("old.gif"), {9, 9});
    EXPECT_EQ(colour.SaveAs(dir.File("old.gif")), 0) << "GIF refuses 24-bit pictures";
    EXPECT_EQ(ReadFileBytes(dir.File("old.gif")), (std::vector<uint8_t>{9, 9}));
    EXPECT_EQ(colour.SaveAs(dir.File("missing/x.bmp")), 0);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"old.gif"});
}

// A name of 250 bytes (the longest a file system takes is 255) is written: the temporary's
// name does not grow with it.
TEST(AtomicFile, LongNamesAreWritten) {
    TempDir dir;
    const std::string name = std::string(246, 'n') + ".tga";
    CImage picture = Picture(8, 8);
    ASSERT_EQ(picture.SaveAs(dir.File(name)), 1);
    EXPECT_EQ(CImage(dir.File(name), -1).Width(), 8);
    EXPECT_EQ(Names(dir), std::vector<std::string>{name});
}

TEST(AtomicFile, ReplacedFilesKeepTheirPermissionsAndLinksStayLinks) {
    TempDir dir;
    CImage picture = Picture(8, 8);
    ASSERT_EQ(picture.SaveAs(dir.File("a.bmp")), 1);
    struct stat info {};
    stat(dir.File("a.bmp").c_str(), &info);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << "a new file is made as the umask says";
    chmod(dir.File("a.bmp").c_str(), 0640);
    fs::create_symlink("a.bmp", dir.Path() / "link.bmp");
    ASSERT_EQ(Picture(5, 5).SaveAs(dir.File("link.bmp")), 1);
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.bmp"));
    EXPECT_EQ(CImage(dir.File("a.bmp"), -1).Width(), 5) << "written through the link";
    stat(dir.File("a.bmp").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"a.bmp", "link.bmp"}));
}

// A device cannot be replaced by a rename; it is written as it is.
TEST(AtomicFile, DevicesAreWrittenInPlace) {
    CImage picture = Picture(8, 8);
    EXPECT_EQ(picture.SaveAs("/dev/null", kTypeBmp), 1);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    if (fs::exists("/dev/full")) {
        EXPECT_EQ(picture.SaveAs("/dev/full", kTypeBmp), 0);
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
}

TEST(AtomicFile, ACancelRequestedDuringTheWriteKeepsTheOldFile) {
    TempDir dir;
    WriteFileBytes(dir.File("frame.tga"), {7});
    AtomicFile file(dir.File("frame.tga"));
    ASSERT_TRUE(file.IsOpen());
    WriteFileBytes(file.WriteName(), {1, 2, 3});
    RequestCancel();
    EXPECT_FALSE(file.Commit());
    ClearCancelRequest();
    EXPECT_EQ(ReadFileBytes(dir.File("frame.tga")), std::vector<uint8_t>{7});
    EXPECT_EQ(Names(dir), std::vector<std::string>{"frame.tga"});
}

TEST(AtomicFile, TemporariesInProgressCanBeRemovedAtOnce) {
    TempDir dir;
    AtomicFile first(dir.File("one.png"));
    AtomicFile second(dir.File("two.png"));
    EXPECT_EQ(Names(dir).size(), 2u);
    RemoveTemporariesInProgress();
    EXPECT_TRUE(Names(dir).empty());
    WriteFileBytes(dir.File("one.png"), {1});
    first.Discard();
    EXPECT_EQ(Names(dir), std::vector<std::string>{"one.png"}) << "only temporaries go";
}

}  // namespace
