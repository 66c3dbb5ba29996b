#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "app/CommandLine.h"
#include "headless/HeadlessDocuments.h"
#include "mapdoc/MosaDoc.h"
#include "support/CurrentDirectory.h"
#include "support/FileBytes.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedProgress.h"
#include "support/TempDir.h"

namespace {

// Remembers the parameters map documents were made with.
class RecordingDocuments : public HeadlessDocuments {
  public:
    void Adopt(std::unique_ptr<CDocument> document) override {
        if (auto* map = dynamic_cast<CMosaDoc*>(document.get()))
            settings.push_back(map->Settings());
        HeadlessDocuments::Adopt(std::move(document));
    }
    std::vector<PanSettings> settings;
};

class CommandLine : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"l.bmp", "c.bmp", "r.bmp", "u.bmp", "b.bmp"}) {
            CImage view;
            view.Create(6, 6, 24, -1);
            view.Fill(90, 90, 90, 0);
            view.SaveAs(dir.File(name));
        }
        app.fiveViewDir = dir.Path().string() + "/";
    }
    // Outcomes of the five-view job writing the dome and the four-view job writing the pan.
    std::pair<BatchOutcome, BatchOutcome> RunBothJobs(const std::string& dome,
                                                      const std::string& pan) {
        return {Run({"-5viewpolar", "-res", "30", "30", "l.bmp", "c.bmp", "r.bmp", "u.bmp", "b.bmp",
                     dome})
                    .outcome,
                Run({"-res", "40", "20", "l.bmp", "c.bmp", "r.bmp", "u.bmp", pan}).outcome};
    }
    CommandLineResult Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "mosa");
        const CurrentDirectory here(dir.Path());
        return RunCommandLine(arguments, app, ports);
    }
    std::string BadLine(int index, const std::string& raw) const {
        return "Bad command line at / near arg " + std::to_string(index) + ":\n   '" + raw +
               "'\n \n" + kUsageText;
    }

    TempDir dir;
    AppSettings app;
    RecordingMessages messages;
    RecordingDocuments documents;
    int cancelAtPump = -1;
    JobPorts ports{messages, documents,
                   [this] { return std::make_unique<ScriptedProgress>(cancelAtPump); }};
};

TEST_F(CommandLine, FourFilesMakeTheDefaultPanorama) {
    const CommandLineResult result = Run({"l.bmp", "c.bmp", "r.bmp", "u.bmp"});
    EXPECT_EQ(result.returnValue, 1);
    EXPECT_EQ(result.outcome, BatchOutcome::kDone);
    ASSERT_EQ(documents.settings.size(), 1u);
    const PanSettings& s = documents.settings[0];
    EXPECT_EQ(s.width, 800);
    EXPECT_EQ(s.height, 216);
    EXPECT_EQ(s.azimuthLeft, -100);
    EXPECT_EQ(s.azimuthRight, 100);
    EXPECT_EQ(s.altitudeBottom, 0);
    EXPECT_EQ(s.altitudeTop, 60);
    EXPECT_EQ(s.antiAliasing, 0);
    EXPECT_EQ(s.eyeX + s.eyeY + s.eyeZ, 0);
    CImage written(dir.File("mosa.bmp"), -1);
    EXPECT_EQ(written.Width(), 800);
    EXPECT_EQ(documents.OpenCount(), 0u);
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(CommandLine, OptionsMatchAsSubstringsInAnyCase) {
    Run({"-RESolution", "400.9", "100.5", "--4X", "-Alt", "-10", "50", "-eye", "0.1", "x", "0.3",
         "l.bmp", "c.bmp", "r.bmp", "u.bmp", "pan.tga", "ignored"});
    ASSERT_EQ(documents.settings.size(), 1u);
    const PanSettings& s = documents.settings[0];
    EXPECT_EQ(s.width, 400) << "sizes are truncated";
    EXPECT_EQ(s.height, 100);
    EXPECT_EQ(s.antiAliasing, 1);
    EXPECT_EQ(s.altitudeBottom, -10) << "a value may begin with -";
    EXPECT_EQ(s.altitudeTop, 50);
    EXPECT_EQ(s.eyeY, 0) << "text that is no number reads as 0";
    EXPECT_DOUBLE_EQ(s.eyeZ, 0.3);
    EXPECT_TRUE(std::filesystem::exists(dir.File("pan.tga")));
}

TEST_F(CommandLine, EwaMeansSevenTimesInFourViewMode) {
    Run({"-ewa", "-sweep", "200", "-crop", "4", "-halfPan", "-domemaster", "l.bmp", "c.bmp",
         "r.bmp", "u.bmp"});
    ASSERT_EQ(documents.settings.size(), 1u);
    EXPECT_EQ(documents.settings[0].antiAliasing, 2);
}

TEST_F(CommandLine, BadCommandLinesNameTheArgument) {
    struct Case {
        std::vector<std::string> arguments;
        int index;
    } cases[] = {
        {{"-bogus", "l.bmp", "c.bmp", "r.bmp", "u.bmp"}, 0},
        {{"-4x", "-what", "l.bmp", "c.bmp", "r.bmp", "u.bmp"}, 1},
        {{"l.bmp", "c.bmp", "r.bmp"}, -4},
        {{"a", "b", "c", "d", "e", "f", "g"}, -4},
        {{"-5viewpolar", "a", "b", "c", "d", "e", "f", "g"}, -4},
        {{"-res", "800"}, -4},
    };
    for (const Case& c : cases) {
        messages.texts.clear();
        const CommandLineResult result = Run(c.arguments);
        EXPECT_EQ(result.outcome, BatchOutcome::kBadCommandLine);
        std::string raw;
        for (const std::string& a : c.arguments) raw += (raw.empty() ? "" : " ") + a;
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_EQ(messages.texts[0], BadLine(c.index, raw));
    }
    EXPECT_TRUE(documents.settings.empty());
}

TEST_F(CommandLine, MissingFourViewFilesAreListed) {
    const CommandLineResult result = Run({"l.bmp", "nope.bmp", "r.bmp", "gone.bmp"});
    EXPECT_EQ(result.outcome, BatchOutcome::kJobFailed);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "nope.bmp doesn't exist!\ngone.bmp doesn't exist!\n");
}

TEST_F(CommandLine, FiveViewWritesTheNumberedNameWithoutAnOutputFile) {
    const CommandLineResult result =
        Run({"-5viewPolar", "-res", "50", "40", "l.bmp", "c.bmp", "r.bmp", "u.bmp", "b.bmp"});
    EXPECT_EQ(result.returnValue, 0);
    EXPECT_EQ(result.outcome, BatchOutcome::kDone);
    CImage written(dir.File("zelk00000.tga"), -1);
    ASSERT_TRUE(written.HasImage());
    EXPECT_EQ(written.Width(), 50);
    EXPECT_EQ(written.Height(), 40);
}

std::vector<std::string> Listing(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The new output takes the old one's place only when complete, and the file the job writes
// on the way never takes the name of another file (here an earlier render's frame 0).
TEST_F(CommandLine, OutputsReplaceAnExistingFileAndTouchNothingElse) {
    WriteFileBytes(dir.File("dome.TGA"), {1, 2, 3});
    WriteFileBytes(dir.File("dome00000.TGA"), {4, 5, 6});
    WriteFileBytes(dir.File("pan.bmp"), {7, 8});
    const std::vector<std::string> before = Listing(dir);
    EXPECT_EQ(RunBothJobs("dome.TGA", "pan.bmp"),
              std::pair(BatchOutcome::kDone, BatchOutcome::kDone));
    EXPECT_TRUE(CImage(dir.File("dome.TGA"), kTypeTga).HasImage());
    EXPECT_EQ(CImage(dir.File("pan.bmp"), -1).Width(), 40);
    EXPECT_EQ(ReadFileBytes(dir.File("dome00000.TGA")), (std::vector<uint8_t>{4, 5, 6}));
    EXPECT_EQ(Listing(dir), before);
}

// An output that cannot take the file's place (a folder of that name) fails. The dome stays
// under the job's numbered name, and the message says so; the panorama, saved straight to
// its name, leaves nothing.
TEST_F(CommandLine, OutputThatCannotBePlacedStaysUnderItsNumberedName) {
    std::filesystem::create_directories(dir.Path() / "dome.tga" / "keep");
    std::filesystem::create_directories(dir.Path() / "pan.bmp" / "keep");
    std::vector<std::string> expected = Listing(dir);
    EXPECT_EQ(RunBothJobs("dome.tga", "pan.bmp"),
              std::pair(BatchOutcome::kJobFailed, BatchOutcome::kJobFailed));
    expected.push_back("dome00000.tga");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Listing(dir), expected);
    EXPECT_EQ(CImage(dir.File("dome00000.tga"), -1).Width(), 30);
    EXPECT_EQ(messages.texts,
              (std::vector<std::string>{"Couldn't rename 'dome00000.tga' to be 'dome.tga' !",
                                        "Could not write pan.bmp"}));
}

// Where the numbered name is taken too, the dome stays where the job made it, and the
// message names that file.
TEST_F(CommandLine, ANumberedNameThatIsTakenIsNotOverwritten) {
    std::filesystem::create_directories(dir.Path() / "dome.tga" / "keep");
    WriteFileBytes(dir.File("dome00000.tga"), {4, 5, 6});
    EXPECT_EQ(Run({"-5viewpolar", "-res", "30", "30", "l.bmp", "c.bmp", "r.bmp", "u.bmp", "b.bmp",
                   "dome.tga"})
                  .outcome,
              BatchOutcome::kJobFailed);
    EXPECT_EQ(ReadFileBytes(dir.File("dome00000.tga")), (std::vector<uint8_t>{4, 5, 6}));
    ASSERT_EQ(messages.texts.size(), 1u);
    const std::string& text = messages.texts[0];
    const std::string kept = text.substr(17, text.find('\'', 17) - 17);
    EXPECT_EQ(text, "Couldn't rename '" + kept + "' to be 'dome.tga' !");
    EXPECT_EQ(CImage(dir.File(kept), -1).Width(), 30) << kept;
}

// A cancelled job says so, writes nothing and leaves the old outputs as they were.
TEST_F(CommandLine, CancelledJobsKeepTheOldOutputs) {
    WriteFileBytes(dir.File("dome.tga"), {1, 2, 3});
    WriteFileBytes(dir.File("pan.bmp"), {7, 8});
    const std::vector<std::string> before = Listing(dir);
    cancelAtPump = 3;
    EXPECT_EQ(RunBothJobs("dome.tga", "pan.bmp"),
              std::pair(BatchOutcome::kCancelled, BatchOutcome::kCancelled));
    EXPECT_EQ(ReadFileBytes(dir.File("dome.tga")), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(ReadFileBytes(dir.File("pan.bmp")), (std::vector<uint8_t>{7, 8}));
    EXPECT_EQ(Listing(dir), before);
    EXPECT_EQ(ExitStatusOf(BatchOutcome::kCancelled, SIGTERM), 143);
    EXPECT_EQ(ExitStatusOf(BatchOutcome::kCancelled, SIGINT), 130);
    EXPECT_EQ(ExitStatusOf(BatchOutcome::kCancelled, 0), 1);
}

// Pictures that cannot be made and outputs that cannot be written are said before any work.
TEST_F(CommandLine, FourViewRefusesWhatItCannotMakeOrWrite) {
    EXPECT_EQ(Run({"l.bmp", "c.bmp", "r.bmp", "u.bmp", "pan.xyz"}).outcome,
              BatchOutcome::kBadCommandLine);
    EXPECT_EQ(Run({"l.bmp", "c.bmp", "r.bmp", "u.bmp", "pan"}).outcome,
              BatchOutcome::kBadCommandLine);
    EXPECT_TRUE(documents.settings.empty()) << "nothing was rendered";
    EXPECT_EQ(Run({"-res", "0", "216", "l.bmp", "c.bmp", "r.bmp", "u.bmp"}).outcome,
              BatchOutcome::kJobFailed);
    EXPECT_EQ(Run({"-res", "40000", "40000", "l.bmp", "c.bmp", "r.bmp", "u.bmp"}).outcome,
              BatchOutcome::kJobFailed);
    EXPECT_EQ(messages.texts,
              (std::vector<std::string>{"Invalid output file type: '.xyz'",
                                        "Invalid output file type: ''",
                                        "Cannot make a picture of 0 x 216 pixels",
                                        "Cannot make a picture of 40000 x 40000 pixels"}));
    EXPECT_FALSE(std::filesystem::exists(dir.File("mosa.bmp")));
}

TEST_F(CommandLine, FiveViewRefusesWhatItCannotWrite) {
    EXPECT_EQ(
        Run({"-5viewpolar", "l.bmp", "c.bmp", "r.bmp", "u.bmp", "b.bmp", "dome.jpeg"}).outcome,
        BatchOutcome::kBadCommandLine);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "Invalid output file type: '.jpeg'");
    messages.texts.clear();
    EXPECT_EQ(Run({"-5viewpolar", "l.bmp", "c.bmp", "r.bmp", "u.bmp"}).outcome,
              BatchOutcome::kBadCommandLine);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], std::string("Not enough files specified:\n\n") + kUsageText);
    messages.texts.clear();
    const CommandLineResult result =
        Run({"-5viewpolar", "x.bmp", "c.bmp", "r.bmp", "y.bmp", "z.bmp"});
    EXPECT_EQ(result.outcome, BatchOutcome::kJobFailed);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(
        messages.texts[0],
        "Top: y.bmp doesn't exist!\nLeft: x.bmp doesn't exist!\nBack: z.bmp doesn't exist!\n");
}

}  // namespace
