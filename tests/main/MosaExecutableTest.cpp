#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/CommandLine.h"
#include "image/Image.h"
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
    ProgramRun Mosa(const std::string& arguments) {
        const std::string command =
            "cd '" + dir.Path().string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY HOME='" +
            dir.Path().string() + "' XDG_CONFIG_HOME='" + dir.File("config") + "' '" +
            MOSA_EXECUTABLE + "' " + arguments + " 2>errors.txt </dev/null >/dev/null";
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
    EXPECT_EQ(run.status, 1) << "the panorama could not be written";
    EXPECT_NE(run.errors.find("Could not write pan.xyz"), std::string::npos);
    run = Mosa("-5viewpolar l.bmp c.bmp r.bmp u.bmp b.bmp out.jpeg");
    EXPECT_EQ(run.status, 2) << "an output type the job cannot write is a bad command line";
    EXPECT_NE(run.errors.find("Invalid output file type: '.jpeg'"), std::string::npos);
}

}  // namespace
