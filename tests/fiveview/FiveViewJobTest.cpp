#include <gtest/gtest.h>

#include <filesystem>

#include "fiveview/FacePreparation.h"
#include "fiveview/FiveViewJob.h"
#include "fiveview/FiveViewRenderers.h"
#include "headless/HeadlessDocuments.h"
#include "sequence/SequenceScan.h"
#include "sky/SkyCube.h"
#include "support/FaceFixtures.h"
#include "support/FileBytes.h"
#include "support/RecordingMessages.h"
#include "support/ScopedRenderThreads.h"
#include "support/ScriptedProgress.h"
#include "support/TempDir.h"

namespace {

constexpr const char* kStems[kFaceCount] = {"top", "left", "back", "right", "front"};
constexpr int kSize = 41;

// The colour a test face of a view and frame is filled with.
sky::Rgb FaceColour(int view, int frame) {
    return {static_cast<uint8_t>(40 * view + 10), static_cast<uint8_t>(frame * 10), 77};
}

void WriteFace(const std::string& name, sky::Rgb colour, int width = 8, int height = 8) {
    CImage face;
    face.Create(width, height, 24, -1);
    face.Fill(colour.r, colour.g, colour.b, 0);
    ASSERT_EQ(face.SaveAs(name), 1);
}

class TitleRecorder : public DocumentObserver {
  public:
    void TitleChanged() override { titles.push_back(document->Title()); }
    void ContentChanged() override {}
    CImageDoc* document = nullptr;
    std::vector<std::string> titles;
};

class FiveViewJob : public testing::Test {
  protected:
    void SetUp() override {
        document.Image().Create(kSize, kSize, 24, -1);
        recorder.document = &document;
        document.AddObserver(&recorder);
        settings.directory = dir.Path().string() + "/";
        settings.baseName = "dome";
        settings.width = settings.height = kSize;
        settings.polarFormat = kDomeMaster;
    }
    // Faces for the frames, all views unless a view is listed as missing that frame.
    void WriteFrames(std::initializer_list<int> frames, int skipView = -1, int skipFrame = -1) {
        for (int frame : frames) {
            for (int view = 0; view < kFaceCount; ++view) {
                if (view == skipView && frame == skipFrame) continue;
                char name[64];
                std::snprintf(name, sizeof name, "%s%04d.bmp", kStems[view], frame);
                WriteFace(dir.File(name), FaceColour(view, frame));
            }
        }
    }
    FiveViewResult Run() {
        FiveViewSequences sequences;
        for (int view = 0; view < kFaceCount; ++view) {
            const std::string extension = view == kTop ? topExtension : ".bmp";
            ScanSequence(sequences[view], dir.File(kStems[view] + extension));
        }
        JobPorts ports{messages, documents, [this] {
                           return std::make_unique<RecordingProgress>(cancelAtPump, progress);
                       }};
        FiveViewResult result = RenderFiveView(document, settings, sequences, ".bmp", ports);
        remaining = sequences;
        return result;
    }
    bool Written(int frame) const {
        char name[32];
        std::snprintf(name, sizeof name, "dome%05d.bmp", frame);
        return std::filesystem::exists(dir.Path() / name);
    }
    sky::Rgb OutputPixel(int frame, int x, int y) const {
        char name[32];
        std::snprintf(name, sizeof name, "dome%05d.bmp", frame);
        CImage output(dir.File(name), -1);
        sky::Rgb c;
        output.GetRGB(x, y, c.r, c.g, c.b);
        return c;
    }

    TempDir dir;
    CImageDoc document;
    TitleRecorder recorder;
    FiveViewSettings settings;
    RecordingMessages messages;
    HeadlessDocuments documents;
    int cancelAtPump = -1;
    std::string topExtension = ".bmp";
    ProgressRecord progress;
    FiveViewSequences remaining;
};

// Picture positions of the 41 x 41 'Dome Master' output showing each view.
constexpr std::pair<int, int> kTopPixel{20, 20}, kBackPixel{20, 1}, kFrontPixel{20, 39};

TEST_F(FiveViewJob, MissingFrameOfOneViewReusesItsPreviousPicture) {
    WriteFrames({1, 2, 3}, kBack, 2);
    const FiveViewResult result = Run();
    EXPECT_EQ(result.framesWritten, 3);
    EXPECT_TRUE(result.Succeeded());
    ASSERT_EQ(recorder.titles.size(), 3u);
    EXPECT_EQ(recorder.titles[1], "top0002 : left0002 : -x- : right0002 : front0002");
    EXPECT_EQ(recorder.titles[2], "top0003 : left0003 : back0003 : right0003 : front0003");
    EXPECT_EQ(OutputPixel(2, kBackPixel.first, kBackPixel.second), FaceColour(kBack, 1));
    EXPECT_EQ(OutputPixel(2, kFrontPixel.first, kFrontPixel.second), FaceColour(kFront, 2));
    EXPECT_EQ(OutputPixel(3, kBackPixel.first, kBackPixel.second), FaceColour(kBack, 3));
    // 14 entries make 2 frames for the text; the range counts them plus the table build.
    EXPECT_EQ(progress.text, "Mapping 2 domes  . . .");
    EXPECT_EQ(progress.upper, 2 * kSize + kSize);
    EXPECT_EQ(progress.steps, kSize + 3 * kSize + 3) << "table build, rows, one step per frame";
}

TEST_F(FiveViewJob, IncludeOnlyRendersTheRangeAndLeavesTheRestUnread) {
    std::vector<int> frames;
    for (int f = 1; f <= 30; ++f) frames.push_back(f);
    for (int f : frames) WriteFrames({f});
    settings.frameRange = 1;
    settings.firstFrame = 10;
    settings.lastFrame = 20;
    settings.samplingMode = kSubsample5;
    EXPECT_EQ(Run().framesWritten, 11);
    for (int f = 1; f <= 30; ++f) EXPECT_EQ(Written(f), f >= 10 && f <= 20) << f;
    for (const ImageSequence& s : remaining) {
        ASSERT_FALSE(s.entries.empty());
        EXPECT_EQ(s.entries.front().frame, 21);
    }
    EXPECT_EQ(progress.text, "Mapping 30 domes (anti-aliasing) . . .");
}

TEST_F(FiveViewJob, FaceSizeChangeRendersDirectlyAndTablesServeLaterFrames) {
    WriteFrames({1, 3});
    for (int view = 0; view < kFaceCount; ++view) {
        char name[64];
        std::snprintf(name, sizeof name, "%s%04d.bmp", kStems[view], 2);
        WriteFace(dir.File(name), FaceColour(view, 2), 16, 12);
    }
    // Frame 2's faces differ in size from the table's: a wrong table would read them
    // at the wrong place; compare every frame with a direct render of its faces.
    ASSERT_EQ(Run().framesWritten, 3);
    for (int frame = 1; frame <= 3; ++frame) {
        FacePictures faces;
        for (int view = 0; view < kFaceCount; ++view) {
            char name[64];
            std::snprintf(name, sizeof name, "%s%04d.bmp", kStems[view], frame);
            faces[view].Load(dir.File(name));
        }
        CImage expected;
        expected.Create(kSize, kSize, 24, -1);
        ScriptedProgress direct;
        RenderPlain(expected, settings, faces, direct);
        char name[32];
        std::snprintf(name, sizeof name, "dome%05d.bmp", frame);
        CImage written(dir.File(name), -1);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                uint8_t r1, g1, b1, r2, g2, b2;
                expected.GetRGB(x, y, r1, g1, b1);
                written.GetRGB(x, y, r2, g2, b2);
                ASSERT_EQ(std::tie(r1, g1, b1), std::tie(r2, g2, b2))
                    << frame << ": " << x << "," << y;
            }
        }
    }
}

// Three threads render the frame's bands while the progress is cancelled mid-frame.
TEST_F(FiveViewJob, CancelKeepsEarlierFramesAndDropsTheOneInProgress) {
    const ScopedRenderThreads threads(3);
    WriteFrames({1, 2, 3});
    settings.sameSize = 0;
    cancelAtPump = kSize + 10;  // row 9 of frame 2
    const FiveViewResult result = Run();
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.Succeeded());
    EXPECT_TRUE(Written(1));
    EXPECT_FALSE(Written(2));
    EXPECT_FALSE(Written(3));
}

TEST_F(FiveViewJob, OddCropAsksAndNoEndsTheJob) {
    WriteFrames({1});
    settings.crop = 5;
    messages.answers = {MessageAnswer::kNo};
    EXPECT_TRUE(Run().declined);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0],
              "Crop amount is not even - \n\t\t\ta border of 2 will be removed from all "
              "edges\n\nContinue?");
    EXPECT_FALSE(Written(1));
}

TEST_F(FiveViewJob, OddCropAnsweredYesRemovesHalfTheCrop) {
    // A face whose border differs from its inside: only the inside may show after cropping.
    for (int view = 0; view < kFaceCount; ++view) {
        CImage face;
        face.Create(8, 8, 24, -1);
        face.Fill(255, 0, 0, 0);
        for (int y = 2; y < 6; ++y) {
            for (int x = 2; x < 6; ++x) face.SetRGB(x, y, 0, 200, 0);
        }
        face.SaveAs(dir.File(std::string(kStems[view]) + "0001.bmp"));
    }
    settings.crop = 5;
    messages.answers = {MessageAnswer::kYes};
    ASSERT_EQ(Run().framesWritten, 1);
    for (auto [x, y] : {kTopPixel, kBackPixel, kFrontPixel, std::pair{1, 20}, std::pair{33, 6}}) {
        EXPECT_EQ(OutputPixel(1, x, y), (sky::Rgb{0, 200, 0})) << x << "," << y;
    }
    settings.crop = -3;  // odd too; asks with a border of -1 and crops nothing
    messages.answers = {MessageAnswer::kYes};
    messages.texts.clear();
    Run();
    ASSERT_FALSE(messages.texts.empty());
    EXPECT_NE(messages.texts[0].find("a border of -1 will"), std::string::npos);
}

TEST_F(FiveViewJob, FramesThatCannotBeRenderedAreSkippedWithAMessage) {
    WriteFrames({1, 2, 3}, kLeft, 1);  // the Left view starts at frame 2
    WriteFileBytes(dir.File("front0003.bmp"), {'B', 'M', 1, 2, 3});
    const FiveViewResult result = Run();
    EXPECT_EQ(result.framesSkipped, 2);
    EXPECT_EQ(result.framesWritten, 1);
    EXPECT_FALSE(Written(1));
    EXPECT_TRUE(Written(2));
    EXPECT_FALSE(Written(3));
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(messages.texts[0], "Frame 1 skipped: no picture yet for the Left view");
    EXPECT_NE(messages.texts[1].find("Frame 3 skipped: cannot read "), std::string::npos);
    EXPECT_NE(messages.texts[1].find("front0003.bmp"), std::string::npos);
}

// Frames are written while the next one loads and renders; the user still hears each
// frame's news in frame order: the failed write of frame 1 before what frame 2's reader says.
TEST_F(FiveViewJob, NewsOfFramesWrittenBehindComesInFrameOrder) {
    topExtension = ".tga";
    for (int frame : {1, 2, 3}) {
        WriteFrames({frame});
        WriteFace(dir.File("top000" + std::to_string(frame) + ".tga"), FaceColour(kTop, frame));
    }
    std::vector<uint8_t> badTop(18, 0);
    badTop[2] = 32;
    WriteFileBytes(dir.File("top0002.tga"), badTop);
    std::filesystem::create_directory(dir.File("dome00001.bmp"));  // no file can go there
    const FiveViewResult result = Run();
    EXPECT_EQ(result.saveFailures, 1);
    EXPECT_EQ(result.framesSkipped, 1);
    EXPECT_EQ(result.framesWritten, 1);
    EXPECT_TRUE(Written(3));
    EXPECT_EQ(OutputPixel(3, kTopPixel.first, kTopPixel.second), FaceColour(kTop, 3));
    ASSERT_EQ(messages.texts.size(), 3u);
    EXPECT_EQ(messages.texts[0], "Could not write " + dir.File("dome00001.bmp"));
    EXPECT_EQ(messages.texts[1], "unknown Targa image type 32");
    EXPECT_EQ(messages.texts[2].rfind("Frame 2 skipped: cannot read ", 0), 0u) << messages.texts[2];
}

TEST_F(FiveViewJob, CropThatLeavesNothingIsSkipped) {
    WriteFrames({1});
    settings.crop = 8;
    const FiveViewResult result = Run();
    EXPECT_EQ(result.framesSkipped, 1);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("a crop of 8 leaves nothing"), std::string::npos);
}

TEST_F(FiveViewJob, HalfPansShowTheUpperHalfOfTheSky) {
    // Side views that cover only the sky above the horizon: the upper half of a full view.
    FacePictures full;
    sky::RenderFaces(full, 64, 64);
    for (int view = 0; view < kFaceCount; ++view) {
        CImage saved;
        if (view == kTop) {
            ASSERT_EQ(full[view].SaveAs(dir.File("top0000.bmp")), 1);
            continue;
        }
        saved.Create(64, 32, 24, -1);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 64; ++x) {
                uint8_t r, g, b;
                full[view].GetRGB(x, y + 32, r, g, b);
                saved.SetRGB(x, y, r, g, b);
            }
        }
        ASSERT_EQ(saved.SaveAs(dir.File(std::string(kStems[view]) + "0000.bmp")), 1);
    }
    settings.halfPans = 1;
    settings.polarSweep = 170;  // keeps the rim above the horizon row
    document.Image().Create(81, 81, 24, -1);
    ASSERT_EQ(Run().framesWritten, 1);
    CImage expected;
    expected.Create(81, 81, 24, -1);
    ScriptedProgress direct;
    RenderPlain(expected, SettingsFor(170, kDomeMaster), full, direct);
    CImage written(dir.File("dome00000.bmp"), -1);
    int differing = 0;
    for (int y = 0; y < 81; ++y) {
        for (int x = 0; x < 81; ++x) {
            uint8_t r1, g1, b1, r2, g2, b2;
            expected.GetRGB(x, y, r1, g1, b1);
            written.GetRGB(x, y, r2, g2, b2);
            if (std::tie(r1, g1, b1) != std::tie(r2, g2, b2)) ++differing;
        }
    }
    EXPECT_EQ(differing, 0);
}

// A Top view with an alpha plane gives the output one: EWA filters it, the other modes write
// colour only and leave the dome opaque.
TEST_F(FiveViewJob, TopViewWithAlphaGivesOpaqueOrFilteredAlpha) {
    WriteFrames({0});
    CImage top;
    top.Create(8, 8, 32, -1);
    top.Fill(200, 100, 50, 128);
    ASSERT_EQ(top.SaveAs(dir.File("top0000.tga")), 1);
    topExtension = ".tga";
    for (const auto& [mode, centreAlpha] :
         {std::pair{kNoAA, 255}, {kSubsample5, 255}, {kEwa, 128}}) {
        SCOPED_TRACE(mode);
        settings.samplingMode = mode;
        document.Image().Create(kSize, kSize, 24, -1);
        ASSERT_EQ(Run().framesWritten, 1);
        ASSERT_NE(document.Image().AlphaBits(), nullptr);
        EXPECT_EQ(document.Image().GetAlpha(kTopPixel.first, kTopPixel.second), centreAlpha);
    }
}

TEST(FaceShaping, HalfPanDoublesHeightWithPictureOnTop) {
    CImage source;
    source.Create(512, 256, 24, -1);
    source.SetRGB(3, 0, 9, 9, 9);
    CImage target;
    ASSERT_EQ(ExpandHalfPan(source, target), 1);
    EXPECT_EQ(target.Width(), 512);
    EXPECT_EQ(target.Height(), 512);
    uint8_t r, g, b;
    target.GetRGB(3, 256, r, g, b);
    EXPECT_EQ(r, 9);
    CImage palette;
    palette.Create(4, 4, 8, -1);
    const uint8_t grey[] = {0, 0, 0, 200, 200, 200};
    palette.SetPaletteTriples(2, grey);
    palette.SetIndex(1, 1, 1);
    ASSERT_EQ(CropFace(palette, target, 1), 1);
    target.GetRGB(0, 0, r, g, b);
    EXPECT_EQ(r, 200) << "palette pictures keep their colours";
    EXPECT_EQ(CropFace(palette, target, 2), 0);
}

TEST(FiveViewCommand, MissingViewsAreListedAndSettingsRemembered) {
    TempDir dir;
    WriteFace(dir.File("top0001.bmp"), FaceColour(kTop, 1));
    FiveViewSettings settings;
    settings.topFile = dir.File("top.bmp");
    settings.leftFile = dir.File("left.bmp");
    settings.backFile = "back.bmp";
    settings.rightFile = dir.File("right.bmp");
    settings.frontFile = dir.File("front.bmp");
    settings.directory = "/renders/";
    settings.baseName = "show";
    settings.polarSweep = 212.58;
    RecordingMessages messages;
    HeadlessDocuments documents;
    JobPorts ports{messages, documents, [] { return std::make_unique<ScriptedProgress>(); }};
    AppSettings app;
    const FiveViewResult result = RunFiveViewCommand(settings, app, ports);
    EXPECT_EQ(result.framesWritten, 0);
    EXPECT_EQ(app.fiveViewDir, "/renders/");
    EXPECT_EQ(app.fiveViewBase, "show");
    EXPECT_EQ(app.fiveViewSweep, 212.58);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(
        messages.texts[0],
        "Left: " + dir.File("left.bmp") +
            " doesn't exist!\nBack: back.bmp doesn't exist!\nRight: " + dir.File("right.bmp") +
            " doesn't exist!\nFront: " + dir.File("front.bmp") + " doesn't exist!\n");
    EXPECT_EQ(documents.OpenCount(), 0u);
}

TEST(FiveViewCommand, SingleFramesRenderToFrameZeroAndReportTheTime) {
    TempDir dir;
    FiveViewSettings settings;
    std::string* names[kFaceCount] = {&settings.topFile, &settings.leftFile, &settings.backFile,
                                      &settings.rightFile, &settings.frontFile};
    for (int view = 0; view < kFaceCount; ++view) {
        *names[view] = dir.File(std::string(kStems[view]) + "_final.bmp");
        WriteFace(*names[view], FaceColour(view, 0));
    }
    settings.inputKind = 0;
    settings.width = settings.height = 31;
    settings.directory = dir.Path().string() + "/";
    settings.baseName = "one";
    settings.outputFormat = kOutputBmp;
    RecordingMessages messages;
    HeadlessDocuments documents;
    JobPorts ports{messages, documents, [] { return std::make_unique<ScriptedProgress>(); }};
    AppSettings app;
    EXPECT_TRUE(RunFiveViewCommand(settings, app, ports).Succeeded());
    EXPECT_TRUE(std::filesystem::exists(dir.File("one00000.bmp")));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "Rendering took 0 seconds");
    EXPECT_EQ(documents.OpenCount(), 0u) << "the output document is closed at the end";
}

TEST(FiveViewOutputFormat, ExtensionsMapBothWays) {
    EXPECT_EQ(OutputFormatOfExtension(".JPG"), kOutputJpeg);
    EXPECT_EQ(OutputFormatOfExtension(".bmp"), kOutputBmp);
    EXPECT_EQ(OutputFormatOfExtension(".tga"), kOutputTga);
    EXPECT_EQ(OutputFormatOfExtension(".jpeg"), -1);
    EXPECT_EQ(OutputFormatOfExtension(".png"), -1) << "the view jobs write three types";
    EXPECT_EQ(OutputFormatOfExtension("tga"), -1) << "an extension comes with its dot";
    EXPECT_EQ(FiveViewExtension(kOutputJpeg), ".jpg");
    EXPECT_EQ(FiveViewExtension(kOutputBmp), ".bmp");
    EXPECT_EQ(FiveViewExtension(kOutputTga), ".tga");
    EXPECT_EQ(FiveViewExtension(7), ".tga") << "an unknown choice writes TGA";
    EXPECT_EQ(FiveViewExtension(-1), ".tga");
}

}  // namespace
