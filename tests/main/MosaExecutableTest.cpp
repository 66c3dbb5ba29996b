#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/CommandLine.h"
#include "image/Image.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

struct ProgramRun {
    int status = -1;
    std::string errors;
};

// Runs the mosa program without a display, in the directory, with its own settings store.
class MosaProgram : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"l.bmp", "c.bmp", "r.bmp", "u.bmp", "b.bmp"}) {
            CImage view;
            view.Create(6, 6, 24, -1);
            view.Fill(200, 150, 100, 0);
            ASSERT_EQ(view.SaveAs(dir.File(name)), 1);
        }
    }
    // The shell command that runs mosa with the arguments in the directory.
    std::string Command(const std::string& arguments, const std::string& environment = "") const {
        return "cd '" + dir.Path().string() + "' && exec env -u DISPLAY -u WAYLAND_DISPLAY " +
               environment + " HOME='" + dir.Path().string() + "' XDG_CONFIG_HOME='" +
               dir.File("config") + "' '" + MOSA_EXECUTABLE + "' " + arguments;
    }
    ProgramRun Mosa(const std::string& arguments, const std::string& environment = "") {
        const std::string command =
            Command(arguments, environment) + " 2>errors.txt </dev/null >/dev/null";
        ProgramRun run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream errors(dir.File("errors.txt"));
        std::stringstream text;
        text << errors.rdbuf();
        run.errors = text.str();
        return run;
    }
    std::string Settings() {
        std::ifstream in(dir.File("config/Kesto/mosa.conf"));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    TempDir dir;
};

TEST_F(MosaProgram, FourViewBatchWritesThePanoramaAndStoresTheSettings) {
    const ProgramRun run = Mosa("-res 80 20 l.bmp c.bmp r.bmp u.bmp");
    EXPECT_EQ(run.status, 0) << run.errors;
    CImage pan(dir.File("mosa.bmp"), -1);
    EXPECT_EQ(pan.Width(), 80);
    const std::string settings = Settings();
    EXPECT_NE(settings.find("[Settings]"), std::string::npos);
    EXPECT_NE(settings.find("fiveViewSweep=180.00"), std::string::npos);
    EXPECT_NE(settings.find("fiveViewBase=zelk"), std::string::npos);
    EXPECT_NE(settings.find("OffMapRed=0"), std::string::npos);
}

TEST_F(MosaProgram, FiveViewBatchUsesTheStoredDirectoryAndBaseName) {
    std::filesystem::create_directories(dir.File("config/Kesto"));
    std::filesystem::create_directories(dir.File("renders"));
    std::ofstream(dir.File("config/Kesto/mosa.conf"))
        << "[Settings]\nfiveViewDir=" << dir.File("renders")
        << "/\nfiveViewBase=shot\nfiveViewSweep=200\n";
    const ProgramRun run = Mosa("-5viewpolar -res 40 40 l.bmp c.bmp r.bmp u.bmp b.bmp");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(std::filesystem::exists(dir.File("renders/shot00000.tga")));
    EXPECT_NE(Settings().find("fiveViewSweep=200.00"), std::string::npos);
}

// Five copies of an 18-byte file declaring 65535 x 5461 in 32 bits: the run ends at once
// with a failure, instead of clearing several gigabytes of pictures first.
TEST_F(MosaProgram, FiveTinyFilesDeclaringHugePicturesEndTheRunAtOnce) {
    std::vector<uint8_t> header(18, 0);
    header[2] = 2;
    header[12] = header[13] = 0xFF;
    header[14] = 0x55;
    header[15] = 0x15;
    header[16] = 32;
    header[17] = 8;
    for (const char* name : {"l.tga", "c.tga", "r.tga", "u.tga", "b.tga"}) {
        WriteFileBytes(dir.File(name), header);
    }
    const auto start = std::chrono::steady_clock::now();
    const ProgramRun run = Mosa("-5viewpolar -res 100 100 l.tga c.tga r.tga u.tga b.tga");
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(run.status, 1) << run.errors;
    EXPECT_NE(run.errors.find("Targa file too short for its 65535 x 5461 image"), std::string::npos)
        << run.errors;
    EXPECT_LT(seconds, 5.0) << "a program start and five refused headers";
}

TEST_F(MosaProgram, ExitStatusTellsBadCommandLinesFromFailedJobs) {
    ProgramRun run = Mosa("-bogus l.bmp c.bmp r.bmp u.bmp");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(
        run.errors,
        std::string("Bad command line at / near arg 0:\n   '-bogus l.bmp c.bmp r.bmp u.bmp'\n \n") +
            kUsageText + "\n");
    run = Mosa("l.bmp c.bmp r.bmp missing.bmp");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "missing.bmp doesn't exist!\n\n");
    run = Mosa("l.bmp c.bmp r.bmp u.bmp pan.xyz");
    EXPECT_EQ(run.status, 2) << "an output type the job cannot write is a bad command line";
    EXPECT_EQ(run.errors, "Invalid output file type: '.xyz'\n");
    run = Mosa("-res 0 216 l.bmp c.bmp r.bmp u.bmp");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "Cannot make a picture of 0 x 216 pixels\n");
    run = Mosa("-5viewpolar l.bmp c.bmp r.bmp u.bmp b.bmp out.jpeg");
    EXPECT_EQ(run.status, 2) << "an output type the job cannot write is a bad command line";
    EXPECT_NE(run.errors.find("Invalid output file type: '.jpeg'"), std::string::npos);
}

// A display that is named but does not answer (a render node's stale DISPLAY) leaves the
// job to the terminal instead of aborting it.
TEST_F(MosaProgram, AStaleDisplayRunsTheJobInTheTerminal) {
    const ProgramRun run = Mosa("-5viewpolar -res 30 30 l.bmp c.bmp r.bmp u.bmp b.bmp d.tga",
                                "-u QT_QPA_PLATFORM DISPLAY=:97");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(CImage(dir.File("d.tga"), -1).HasImage());
}

// A closed standard error loses the messages, not the job.
TEST_F(MosaProgram, AClosedStandardErrorDoesNotStopTheJob) {
    const std::string command = "bash -c \"" + Command("-res 200 60 l.bmp c.bmp r.bmp u.bmp") +
                                " 2>&1 >/dev/null </dev/null | true; exit \\${PIPESTATUS[0]}\"";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << raw;
    EXPECT_EQ(CImage(dir.File("mosa.bmp"), -1).Width(), 200);
}

TEST_F(MosaProgram, UnreadableSettingsTakeTheirDefaults) {
    std::filesystem::create_directories(dir.File("config/Kesto"));
    std::ofstream(dir.File("config/Kesto/mosa.conf"))
        << "[Settings]\nfiveViewDir=@Rect(1 2 3 4)\nfiveViewBase=a, b\n";
    const ProgramRun run = Mosa("-5viewpolar -res 20 20 l.bmp c.bmp r.bmp u.bmp b.bmp");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(std::filesystem::exists(dir.File("zelk00000.tga")))
        << "the home directory and the base name zelk";
}

std::vector<std::string> Listing(const std::filesystem::path& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Starts mosa writing a large dome over an old one and sends it SIGTERM (twice when asked)
// as soon as the frame's file is being written. Answers the exit status.
int TerminateWhileWriting(const std::filesystem::path& directory, const std::string& command,
                          int signals) {
    const pid_t child = fork();
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", (command + " 2>/dev/null").c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    // Watched without pause: the write lasts only a moment.
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    bool writing = false;
    while (!writing && std::chrono::steady_clock::now() < end) {
        for (const std::string& name : Listing(directory)) {
            // The temporary of a write in progress, not the job's own hidden name.
            writing =
                writing || (name.rfind(".mosa-", 0) == 0 && name.find('.', 1) == std::string::npos);
        }
    }
    for (int i = 0; i < signals; ++i) kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(writing) << "the write was never seen";
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// SIGTERM while a frame is written, once (the job cancels at its next safe point) or twice
// (the process ends at once): no file under any name, the old frame intact.
TEST_F(MosaProgram, SigtermWhileWritingKeepsTheOldFrame) {
    std::filesystem::create_directories(dir.File("config/Kesto"));
    for (const int signals : {1, 2}) {
        WriteFileBytes(dir.File("dome.bmp"), {1, 2, 3, 4});
        const std::vector<std::string> before = Listing(dir.Path());
        const int status = TerminateWhileWriting(
            dir.Path(),
            Command("-5viewpolar -res 3000 3000 l.bmp c.bmp r.bmp u.bmp b.bmp dome.bmp"), signals);
        EXPECT_EQ(status, 143) << signals << " signals";
        EXPECT_EQ(ReadFileBytes(dir.File("dome.bmp")), (std::vector<uint8_t>{1, 2, 3, 4}));
        EXPECT_EQ(Listing(dir.Path()), before) << signals << " signals";
    }
}

}  // namespace
