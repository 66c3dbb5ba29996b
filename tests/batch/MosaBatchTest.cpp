#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "batch/MosaBatchFixture.h"
#include "fiveview/FiveViewJob.h"
#include "headless/HeadlessDocuments.h"
#include "mapdoc/FourViewPan.h"
#include "mapdoc/MosaDoc.h"
#include "sequence/FramePattern.h"
#include "sky/SkyCube.h"
#include "support/FileBytes.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"
#include "transforms/XformCommands.h"
#include "transforms/XformDriver.h"

namespace fs = std::filesystem;
using namespace batch_test;

namespace {

TEST_F(MosaBatch, FiveViewSequenceWithAHoleEqualsTheCoreJob) {
    WriteFrames({1, 2, 3, 4, 5}, kLeft, 4);
    const std::string options = " --size 96x80 --sweep 200 --layout domemaster --filter 5x";
    const BatchRun refused =
        Batch("--quiet fiveview" + Views() + options + " --out out/dome.%05d.tga");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.errors.find("missing frames 4 ("), std::string::npos) << refused.errors;
    EXPECT_FALSE(fs::exists(dir.File("out"))) << "nothing is written";

    const BatchRun run =
        Batch("--quiet fiveview" + Views() + options + " --skip-missing --out out/dome.%05d.tga");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.errors.find("frame 4 skipped"), std::string::npos);
    FiveViewSettings settings;
    settings.width = 96;
    settings.height = 80;
    settings.polarSweep = 200;
    settings.polarFormat = kDomeMaster;
    settings.samplingMode = kSubsample5;
    CoreJob({1, 2, 3, 5}, settings);
    ExpectSameAsCore("out", {1, 2, 3, 5});
    EXPECT_FALSE(fs::exists(Output("out", 4)));
}

TEST_F(MosaBatch, SingleFilesMakeOneFrame) {
    WriteFrames({7});
    std::string views;
    for (int t = 0; t < kFaceCount; ++t) views += std::string(" --") + kViews[t] + " " + Face(t, 7);
    const BatchRun run = Batch("--quiet fiveview" + views + " --filter ewa --out one/dome.tga");
    EXPECT_EQ(run.status, 0) << run.errors;
    FiveViewSettings settings;
    settings.samplingMode = kEwa;
    settings.width = settings.height = 2200;
    CoreJob({7}, settings);
    EXPECT_TRUE(ReadFileBytes(dir.File("one/dome.tga")) == ReadFileBytes(Output("core", 7)));
}

TEST_F(MosaBatch, ChunksTogetherWriteEveryFrameOnceAndDryRunWritesNothing) {
    WriteFrames({1, 2, 3, 4, 5, 6, 7});
    const BatchRun dry = Batch("fiveview" + Views() +
                               " --size 64 --chunk 2/3 --dry-run --out "
                               "out/dome.%05d.tga");
    EXPECT_EQ(dry.status, 0);
    EXPECT_EQ(std::count(dry.out.begin(), dry.out.end(), '\n'), 2) << dry.out;
    EXPECT_NE(dry.out.find("frame 3: --top "), std::string::npos) << dry.out;
    EXPECT_FALSE(fs::exists(dir.File("out")));
    for (const char* chunk : {"1/3", "2/3", "3/3"}) {
        const BatchRun run = Batch("--quiet fiveview" + Views() + " --size 64 --chunk " + chunk +
                                   " --out out/dome.%05d.tga");
        EXPECT_EQ(run.status, 0) << run.errors;
    }
    FiveViewSettings settings;
    settings.width = settings.height = 64;
    CoreJob({1, 2, 3, 4, 5, 6, 7}, settings);
    ExpectSameAsCore("out", {1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("out")), fs::directory_iterator()), 7);
}

// A farm kills the task halfway; the task run again with --skip-existing finishes the rest,
// and every frame equals an uninterrupted run's.
TEST_F(MosaBatch, SkipExistingResumesARunKilledHalfway) {
    std::vector<int> frames;
    for (int f = 1; f <= 16; ++f) frames.push_back(f);
    WriteFrames({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    const std::string run = "'" + std::string(MOSA_BATCH_EXECUTABLE) + "' --quiet fiveview" +
                            Views() + " --size 700 --filter ewa --out out/dome.%05d.tga";
    const std::string killer =
        "cd '" + dir.Path().string() + "' && (" + run +
        " 2>/dev/null & pid=$!; while [ ! -e out/dome.00003.tga ] && kill -0 $pid 2>/dev/null; do "
        "sleep 0.01; done; kill -TERM $pid; wait $pid; echo $? >status)";
    ASSERT_EQ(std::system(killer.c_str()), 0);
    EXPECT_EQ(ReadText(dir.File("status")), "143\n") << "killed before the last frame";
    const size_t before =
        std::distance(fs::directory_iterator(dir.File("out")), fs::directory_iterator());
    EXPECT_LT(before, frames.size());
    const BatchRun resumed =
        Batch("--quiet fiveview" + Views() +
              " --size 700 --filter ewa --skip-existing --out out/dome.%05d.tga");
    EXPECT_EQ(resumed.status, 0) << resumed.errors;
    EXPECT_NE(resumed.errors.find(std::to_string(before) + " frames skipped: their output exists"),
              std::string::npos)
        << resumed.errors;
    FiveViewSettings settings;
    settings.width = settings.height = 700;
    settings.samplingMode = kEwa;
    CoreJob(frames, settings);
    ExpectSameAsCore("out", frames);
    for (const auto& entry : fs::directory_iterator(dir.File("out"))) {
        EXPECT_EQ(entry.path().filename().string().rfind("dome.", 0), 0u) << "no temporary left";
    }
}

TEST_F(MosaBatch, BadValuesNameTheOptionAndWriteNothing) {
    WriteFrames({1});
    const struct {
        const char* arguments;
        int status;
        const char* says;
    } cases[] = {
        {" --sweep 400 --out d.tga", 2, "--sweep: Value 400 not in range"},
        {" --size 0x10 --out d.tga", 2, "--size: '0x10' is no size"},
        {" --frames 5-2 --out d.%04d.tga", 2, "--frames: '5-2'"},
        {" --chunk 4/3 --out d.%04d.tga", 2, "--chunk: '4/3'"},
        {" --filter 9x --out d.tga", 2, "--filter"},
        {" --out d.xyz", 2, "--out: '.xyz' is no type mosa writes"},
        {" --frames 1-2 --out d.tga", 2, "names one file for 2 frames"},
        {" --frames 8 --out d.tga", 1, "missing frames 8"},
    };
    for (const auto& c : cases) {
        const BatchRun run = Batch("--quiet fiveview" + Views() + c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_NE(run.errors.find(c.says), std::string::npos) << c.arguments << ": " << run.errors;
        EXPECT_FALSE(fs::exists(dir.File("d.tga")));
    }
    EXPECT_EQ(Batch("").status, 2) << "a verb is required";
    const BatchRun help = Batch("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Exit status"), std::string::npos);
}

// Each transform over a two-frame sequence equals the core's transform of each frame with
// the same settings.
TEST_F(MosaBatch, TransformsEqualTheCoreTransforms) {
    WriteFrames({1, 2, 3, 4, 5}, kFront, 3);
    const std::string input = " '" + dir.File("seq/front.####.bmp") + "'";
    const struct {
        const char* kind;
        const char* options;
        XformKind command;
    } cases[] = {
        {"rect-to-polar", " --rotation 30", XformKind::kRectToPolar},
        {"polar-to-rect", " --size 90x30", XformKind::kPolarToRect},
        {"ambivue-to-polar", " --azi -90,90 --alt 10,50 --span 80 --off-map 9,8,7",
         XformKind::kAmbivueToPolar},
        {"polar-to-ambivue", " --turn 15 --size 120x40", XformKind::kPolarToAmbivue},
    };
    std::string problem;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const std::string out = dir.File(std::string("x/") + c.kind + ".%02d.tga");
        const BatchRun run = Batch(std::string("--quiet xform ") + c.kind + input + c.options +
                                   " --skip-missing --out " + out);
        ASSERT_EQ(run.status, 0) << run.errors;
        XformSettings settings = NewXformSettings(c.command, AppSettings{});
        settings.rotation = c.command == XformKind::kRectToPolar ? 30 : 0;
        if (c.command == XformKind::kPolarToRect || c.command == XformKind::kPolarToAmbivue) {
            settings.useSourceSize = 0;
            settings.outputWidth = c.command == XformKind::kPolarToRect ? 90 : 120;
            settings.outputHeight = c.command == XformKind::kPolarToRect ? 30 : 40;
        }
        if (c.command == XformKind::kAmbivueToPolar) {
            settings.azimuthFrom = -90;
            settings.azimuthTo = 90;
            settings.elevationFrom = 10;
            settings.elevationTo = 50;
            settings.polarSpan = 80;
            settings.offMap = {9, 8, 7};
        }
        settings.clockwiseRotation = c.command == XformKind::kPolarToAmbivue ? 15 : 0;
        EXPECT_FALSE(fs::exists(FramePattern::Parse(out, problem)->NameOf(3)));
        for (int frame : {1, 2, 4, 5}) {
            RecordingMessages messages;
            HeadlessDocuments documents;
            JobPorts ports{messages, documents, [] { return std::make_unique<SilentProgress>(); }};
            CImage source(Face(kFront, frame), -1);
            XformSettings own = settings;
            ApplySourceSize(own, source);
            std::string error;
            const std::string name = FramePattern::Parse(out, error)->NameOf(frame);
            const XformOutput core = TransformInto(XformCommandOf(c.command).routine, own, source,
                                                   dir.File("core.tga"), ports);
            ASSERT_TRUE(core.saved);
            EXPECT_TRUE(ReadFileBytes(name) == ReadFileBytes(dir.File("core.tga"))) << frame;
        }
    }
    const BatchRun both = Batch("--quiet xform hammer-to-polar" + input +
                                " --frames 2 --size 64 --out " + dir.File("h/ha.tga"));
    EXPECT_EQ(both.status, 0) << both.errors;
    EXPECT_TRUE(fs::exists(dir.File("h/haNorth.tga")));
    EXPECT_TRUE(fs::exists(dir.File("h/haSouth.tga")));
    const BatchRun badSpan = Batch("xform ambivue-to-polar" + input + " --span 100 --out a.tga");
    EXPECT_EQ(badSpan.status, 2);
    EXPECT_NE(badSpan.errors.find("--span: Value 100 not in range 5 to 90"), std::string::npos);
}

// One file, and a sequence with a hole, each frame as the core maps it.
TEST_F(MosaBatch, FisheyeEqualsTheCoreMapping) {
    WriteFrames({1, 2, 3, 4, 5}, kTop, 2);
    const std::string options =
        " --fov 120,90 --tilt 35 --size 300x100 --azi -90,90 --alt 5,55 --quiet";
    ASSERT_EQ(Batch("fisheye " + Face(kTop, 3) + options + " --out pan.bmp").status, 0);
    const BatchRun run = Batch("fisheye '" + dir.File("seq/top.####.bmp") + "'" + options +
                               " --skip-missing --out pans/pan.%d.bmp");
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_FALSE(fs::exists(dir.File("pans/pan.2.bmp")));
    RecordingMessages messages;
    CMosaDoc map;
    const PanSettings pan = FisheyeTestPanorama();
    ASSERT_TRUE(map.OnNewDocument(pan, messages));
    for (int frame : {1, 3, 4, 5}) {
        map.MapFisheye(CImage(Face(kTop, frame), -1), FisheyeParams{120, 90, 35});
        ASSERT_EQ(map.OnSaveDocument(dir.File("core.bmp"), messages), 1);
        EXPECT_TRUE(ReadFileBytes(dir.File("pans/pan." + std::to_string(frame) + ".bmp")) ==
                    ReadFileBytes(dir.File("core.bmp")))
            << frame;
        if (frame == 3) {
            EXPECT_TRUE(ReadFileBytes(dir.File("pan.bmp")) == ReadFileBytes(dir.File("core.bmp")));
        }
    }
    EXPECT_EQ(Batch("fisheye x.bmp --fov 120 --out p.bmp").status, 2);
}

TEST_F(MosaBatch, FourViewSequenceEqualsTheCoreMapping) {
    WriteFrames({1, 2, 3, 4, 5}, kRight, 3);
    const BatchRun run = Batch("--quiet fourview" + FourViews("bmp") +
                               " --size 200x60 --aa 4x --eye 0,0.1,0 --skip-missing"
                               " --out pan/pan.%03d.bmp");
    ASSERT_EQ(run.status, 0) << run.errors;
    RecordingMessages messages;
    HeadlessDocuments documents;
    JobPorts ports{messages, documents, [] { return std::make_unique<SilentProgress>(); }};
    PanSettings pan = NewDocumentPanSettings();
    pan.width = 200;
    pan.height = 60;
    pan.antiAliasing = kMap4x;
    pan.eyeY = 0.1;
    CMosaDoc map;
    ASSERT_TRUE(map.OnNewDocument(pan, messages));
    CubeViewSequences sequences;
    const int views[kCubeViewCount] = {kLeft, kFront, kRight, kTop};
    for (int v = 0; v < kCubeViewCount; ++v) {
        for (int frame : {1, 2, 4, 5}) {
            sequences[v].entries.push_back({Face(views[v], frame), frame});
        }
    }
    CubeViewPatches patches = MakeCubeViewPatches();
    const MapViewsResult core = map.MapViews(
        patches, sequences, [this](int f) { return dir.File("core" + std::to_string(f) + ".bmp"); },
        ports);
    EXPECT_EQ(core.framesWritten, 4);
    EXPECT_FALSE(fs::exists(dir.File("pan/pan.003.bmp")));
    for (int frame : {1, 2, 4, 5}) {
        EXPECT_TRUE(ReadFileBytes(dir.File("pan/pan.00" + std::to_string(frame) + ".bmp")) ==
                    ReadFileBytes(dir.File("core" + std::to_string(frame) + ".bmp")))
            << frame;
    }
    EXPECT_EQ(Batch("fourview --left a --center b --right c --up d --eye 1,0,0 --out p.bmp").status,
              2);
}

TEST_F(MosaBatch, InfoTellsWhatFilesHoldAsJson) {
    WriteFrames({1});
    WriteFileBytes(dir.File("broken.png"), {0x89, 'P', 'N'});
    const BatchRun run = Batch("info --json " + Face(kTop, 1) + " broken.png");
    EXPECT_EQ(run.status, 1) << "one file cannot be read";
    const nlohmann::json all = nlohmann::json::parse(run.out);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]["type"], "bmp");
    EXPECT_EQ(all[0]["width"], 40);
    EXPECT_EQ(all[0]["bits"], 24);
    EXPECT_EQ(all[0]["alpha"], false);
    EXPECT_TRUE(all[1].contains("error"));
}

TEST(MosaBatchProgram, LinksNoQtLibrary) {
    const std::string command =
        std::string("readelf -d '") + MOSA_BATCH_EXECUTABLE + "' > needed.txt 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string needed = ReadText("needed.txt");
    std::remove("needed.txt");
    EXPECT_NE(needed.find("NEEDED"), std::string::npos) << needed;
    EXPECT_EQ(needed.find("Qt"), std::string::npos) << needed;
}

}  // namespace
