// mosa-batch's flats verb, its progress for programs, its codec options and its cancel in the
// middle of a frame.
#include <gtest/gtest.h>

#include <cstring>
#include <nlohmann/json.hpp>

#include "batch/MosaBatchFixture.h"
#include "image/CodecSettings.h"
#include "mapdoc/MosaDoc.h"
#include "support/ExternalImage.h"
#include "transforms/XformCommands.h"
#include "transforms/XformDriver.h"

using namespace batch_test;

namespace {

std::vector<nlohmann::json> JsonLines(const std::string& text) {
    std::vector<nlohmann::json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
    return lines;
}

// The flats of the shot list below, painted the desktop's way: "Add Flat" view by view into
// a new document, saved.
void AddFlatsByHand(const std::string& output, const std::vector<std::string>& files) {
    RecordingMessages messages;
    PanSettings pan = NewDocumentPanSettings();
    pan.width = 160;
    pan.height = 60;
    pan.azimuthLeft = -150;
    pan.azimuthRight = 150;
    pan.altitudeBottom = -20;
    pan.altitudeTop = 80;
    pan.antiAliasing = kMap7x;
    CMosaDoc map;
    ASSERT_TRUE(map.OnNewDocument(pan, messages));
    const double cameras[][5] = {{0, 10, 0, 70, 60}, {-5, 0, 80, 90, 90}, {0, 75, 0, 120, 100}};
    for (size_t v = 0; v < files.size(); ++v) {
        const double* c = cameras[v];
        map.AddFlat(std::make_unique<CImage>(files[v], -1), c[0], c[1], c[2], c[3], c[4]);
    }
    ASSERT_EQ(map.OnSaveDocument(output, messages), 1);
}

std::vector<uint8_t> Bytes(const char* text) {
    return {text, text + std::strlen(text)};
}

// What ImageMagick makes of a file: identify's format escape, as text.
std::string Identify(const std::string& file, const std::string& format) {
    const std::string command =
        "convert '" + file + "' -format '" + format + "' info: > '" + file + ".txt'";
    if (std::system(command.c_str()) != 0) return "";
    return ReadText(file + ".txt");
}

constexpr const char* kShotList = R"({
  "width": 100, "height": 60, "azimuth": [-150, 150], "altitude": [-20, 80], "aa": "7x",
  "views": [
    {"file": "seq/front.####.bmp", "roll": 0, "elevation": 10, "fov": [70, 60]},
    {"file": "seq/right.####.bmp", "roll": -5, "azimuth": 80},
    {"file": "seq/top.####.bmp", "elevation": 75, "fov": [120, 100]}
  ]
})";

// The shot list's views over a sequence with a hole equal "Add Flat" by hand, frame by frame;
// the command line's --size takes the place of the list's width and height.
TEST_F(MosaBatch, FlatsEqualAddingTheFlatsByHand) {
    WriteFrames({1, 2, 3, 4, 5}, kRight, 3);
    WriteFileBytes(dir.File("shots.json"), Bytes(kShotList));
    const BatchRun run = Batch(
        "--quiet flats shots.json --size 160x60 --skip-missing --out "
        "flats/pan.####.bmp");
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.errors.find("frame 3 skipped"), std::string::npos) << run.errors;
    EXPECT_FALSE(fs::exists(dir.File("flats/pan.0003.bmp")));
    for (int frame : {1, 2, 4, 5}) {
        AddFlatsByHand(dir.File("hand.bmp"),
                       {Face(kFront, frame), Face(kRight, frame), Face(kTop, frame)});
        char name[64];
        std::snprintf(name, sizeof name, "flats/pan.%04d.bmp", frame);
        EXPECT_TRUE(ReadFileBytes(dir.File(name)) == ReadFileBytes(dir.File("hand.bmp")))
            << "frame " << frame;
    }
}

TEST_F(MosaBatch, AShotListThatIsWrongIsNamedAndNothingIsWritten) {
    const struct {
        const char* list;
        const char* says;
    } cases[] = {
        {R"({"views": [{"file": "a.bmp", "fov": [0, 30]}]})",
         "views[0].fov[0]: expected a number from 1 to 180"},
        {R"({"views": [{"file": "a.bmp", "zoom": 2}]})", "views[0]: unknown key \"zoom\""},
        {R"({"views": []})", "views: expected a list of one view or more"},
        {R"({"aa": "8x", "views": [{"file": "a.bmp"}]})", "aa: expected"},
        {R"({"eye": [0.8, 0.8, 0], "views": [{"file": "a.bmp"}]})", "inside the unit sphere"},
        {R"({"views": [{"file": "a.bmp"})", "parse error"},
    };
    for (const auto& c : cases) {
        WriteFileBytes(dir.File("bad.json"), Bytes(c.list));
        const BatchRun run = Batch("flats bad.json --out pan.bmp");
        EXPECT_EQ(run.status, 2) << c.list;
        EXPECT_NE(run.errors.find("bad.json: "), std::string::npos) << run.errors;
        EXPECT_NE(run.errors.find(c.says), std::string::npos) << c.list << ": " << run.errors;
    }
    EXPECT_EQ(Batch("flats none.json --out pan.bmp").status, 1);
    WriteFileBytes(dir.File("one.json"), Bytes(R"({"views": [{"file": "x.bmp"}]})"));
    const BatchRun missing = Batch("flats one.json --out pan.bmp");
    EXPECT_EQ(missing.status, 1) << "the view's file is missing";
    EXPECT_FALSE(fs::exists(dir.File("pan.bmp")));
}

// A program reading --progress json sees one object a line: the start with the total, each
// frame as it is written or fails (with the reader's message), and the end with the status.
TEST_F(MosaBatch, JsonProgressCountsEveryFrameUpToTheTotal) {
    WriteFrames({1, 2, 3, 4});
    WriteFileBytes(Face(kBack, 3), {'B', 'M', 1, 2});  // frame 3 cannot be read
    const BatchRun run = Batch("--progress json fiveview" + Views() +
                               " --size 64 --frames 1-4 --out out/dome.%05d.tga");
    EXPECT_EQ(run.status, 1) << run.errors;
    const std::vector<nlohmann::json> events = JsonLines(run.out);
    ASSERT_GE(events.size(), 3u) << run.out;
    EXPECT_EQ(events.front()["event"], "start");
    EXPECT_EQ(events.front()["total"], 4);
    EXPECT_EQ(events.back()["event"], "end");
    EXPECT_EQ(events.back()["status"], 1);
    EXPECT_EQ(events.back()["written"], 3);
    EXPECT_EQ(events.back()["failed"], 1);
    int done = 0;
    std::vector<int> written;
    for (const nlohmann::json& event : events) {
        if (event["event"] != "frame" && event["event"] != "failed") continue;
        EXPECT_EQ(event["done"], ++done);
        EXPECT_EQ(event["total"], 4);
        EXPECT_GE(event["remaining"].get<double>(), 0);
        EXPECT_GE(event["elapsed"].get<double>(), 0);
        if (event["event"] == "failed") {
            EXPECT_EQ(event["frame"], 3);
            EXPECT_NE(event["message"].get<std::string>().find("Frame 3 skipped"),
                      std::string::npos)
                << event;
        } else {
            written.push_back(event["frame"]);
            EXPECT_TRUE(fs::exists(dir.File(event["output"].get<std::string>()))) << event;
        }
    }
    EXPECT_EQ(done, 4);
    EXPECT_EQ(written, (std::vector<int>{1, 2, 4}));
}

// SIGTERM while a large transform is under way on two threads: the run ends with 143 and
// leaves no file at all. (That the transform stops at its next row is shown in the
// transforms' own tests.)
TEST_F(MosaBatch, ASignalInTheMiddleOfAFrameLeavesNoFile) {
    WriteFrames({1});
    const std::string run = "'" + std::string(MOSA_BATCH_EXECUTABLE) +
                            "' --threads 2 --progress json xform polar-to-rect " + Face(kFront, 1) +
                            " --size 12000x12000 --out out/big.bmp";
    const std::string killer = "cd '" + dir.Path().string() + "' && (" + run +
                               " >events.txt 2>/dev/null & pid=$!; while [ ! -s events.txt ]; do "
                               "sleep 0.01; done; sleep 0.2; kill -TERM $pid; wait $pid; "
                               "echo $? >status)";
    ASSERT_EQ(std::system(killer.c_str()), 0);
    EXPECT_EQ(ReadText(dir.File("status")), "143\n");
    const std::vector<nlohmann::json> events = JsonLines(ReadText(dir.File("events.txt")));
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back()["event"], "end");
    EXPECT_EQ(events.back()["cancelled"], true);
    EXPECT_EQ(events.back()["written"], 0);
    EXPECT_TRUE(fs::is_empty(dir.File("out"))) << "no output and no temporary";
}

// Colour JPEGs are read in full colour, and outputs take the quality and level asked for.
TEST_F(MosaBatch, CodecOptionsReachTheFiles) {
    REQUIRE_CONVERT();
    WriteFrames({1});
    const std::string jpeg = dir.File("front.jpg");
    ASSERT_TRUE(RunConvert("'" + Face(kFront, 1) + "' -quality 97 '" + jpeg + "'"));
    const BatchRun info = Batch("info --json " + jpeg);
    ASSERT_EQ(info.status, 0) << info.errors;
    EXPECT_EQ(nlohmann::json::parse(info.out)[0]["bits"], 24);

    EXPECT_EQ(
        Batch("--quiet --jpeg-quality 60 xform polar-to-rect " + jpeg + " --out q60.jpg").status,
        0);
    EXPECT_EQ(Batch("--quiet xform polar-to-rect " + jpeg + " --out q95.jpg").status, 0);
    EXPECT_EQ(Identify(dir.File("q60.jpg"), "%Q"), "60");
    EXPECT_EQ(Identify(dir.File("q95.jpg"), "%Q"), "95");

    EXPECT_EQ(Batch("--quiet --png-level 0 xform polar-to-rect " + jpeg + " --out l0.png").status,
              0);
    EXPECT_EQ(Batch("--quiet --png-level 9 xform polar-to-rect " + jpeg + " --out l9.png").status,
              0);
    EXPECT_GT(fs::file_size(dir.File("l0.png")) * 2, fs::file_size(dir.File("l9.png")) * 3);
    RgbPicture level0, level9;
    ASSERT_TRUE(RunConvert("'" + dir.File("l0.png") + "' '" + dir.File("l0.ppm") + "'"));
    ASSERT_TRUE(RunConvert("'" + dir.File("l9.png") + "' '" + dir.File("l9.ppm") + "'"));
    ASSERT_TRUE(ReadPpm(dir.File("l0.ppm"), level0) && ReadPpm(dir.File("l9.ppm"), level9));
    EXPECT_TRUE(level0 == level9);

    // The same as the core's transform of the full-colour picture, written at that level.
    CodecSettings codecs;
    codecs.jpegFullColour = true;
    codecs.pngLevel = 0;
    SetCodecs(codecs);
    CImage source(jpeg, -1);
    RecordingMessages messages;
    HeadlessDocuments documents;
    JobPorts ports{messages, documents, [] { return std::make_unique<SilentProgress>(); }};
    XformSettings settings = NewXformSettings(XformKind::kPolarToRect, AppSettings{});
    ApplySourceSize(settings, source);
    const XformOutput core = TransformInto(XformCommandOf(XformKind::kPolarToRect).routine,
                                           settings, source, dir.File("core.png"), ports);
    SetCodecs(CodecSettings{});
    EXPECT_EQ(source.BitsPerPixel(), 24);
    ASSERT_TRUE(core.saved);
    EXPECT_TRUE(ReadFileBytes(dir.File("core.png")) == ReadFileBytes(dir.File("l0.png")));
    EXPECT_EQ(Batch("--png-level 10 info x.png").status, 2);
}

TEST_F(MosaBatch, EachVerbsHelpTellsTheExitStatusesAndAnOddCropIsRefused) {
    for (const char* verb : {"fiveview", "fourview", "flats", "fisheye", "xform", "info"}) {
        const BatchRun help = Batch(std::string(verb) + " --help");
        EXPECT_EQ(help.status, 0) << verb;
        EXPECT_NE(help.out.find("Exit status: 0 every frame written"), std::string::npos) << verb;
    }
    WriteFrames({1});
    const BatchRun odd = Batch("fiveview" + Views() + " --crop 3 --out d.tga");
    EXPECT_EQ(odd.status, 2);
    EXPECT_NE(odd.errors.find("--crop: '3' is odd"), std::string::npos) << odd.errors;
}

}  // namespace
