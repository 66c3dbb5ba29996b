#include <gtest/gtest.h>

#include <filesystem>

#include "headless/HeadlessDocuments.h"
#include "mapdoc/BatchFisheye.h"
#include "mapdoc/MosaDoc.h"
#include "support/FileBytes.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedProgress.h"
#include "support/TempDir.h"
#include "transforms/BatchXform.h"
#include "transforms/RectPolar.h"
#include "transforms/TransformFixtures.h"

namespace {

// The colour frame f is filled with.
sky::Rgb FrameColour(int frame) {
    return {static_cast<uint8_t>(20 * frame + 5), 60, 200};
}

class Batch : public testing::Test {
  protected:
    void WriteFrame(const std::string& name, int frame, int width = 24, int height = 12) {
        CImage picture;
        FillColour(picture, width, height, FrameColour(frame));
        ASSERT_EQ(picture.SaveAs(dir.File(name)), 1);
    }
    bool Exists(const std::string& name) const {
        return std::filesystem::exists(dir.Path() / name);
    }
    CImage Written(const std::string& name) const {
        return CImage(dir.File(name), kTypeFromExtension);
    }
    BatchResult RunRectToPolar(const std::string& frameFile, const std::string& outputName) {
        settings.useSourceSize = 1;
        return RunBatchXform(RectToPolar, settings, dir.File(frameFile), dir.File(outputName),
                             ports);
    }

    TempDir dir;
    RecordingMessages messages;
    HeadlessDocuments documents;
    int cancelAtPump = -1;
    ProgressRecord progress;
    JobPorts ports{messages, documents,
                   [this] { return std::make_unique<RecordingProgress>(cancelAtPump, progress); }};
    XformSettings settings;
};

TEST_F(Batch, OutputsCarryTheInputFrameNumbersInTheSequencesDigits) {
    for (int frame : {3, 4, 7}) WriteFrame("pan0" + std::to_string(frame) + ".bmp", frame);
    const BatchResult result = RunRectToPolar("pan04.bmp", "out.bmp");
    ASSERT_FALSE(messages.texts.empty());
    EXPECT_EQ(messages.texts[0], "3 files in sequence '" + dir.File("pan.bmp") +
                                     "' (3 to 7)\n output as " + dir.File("out##.bmp"));
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.framesWritten, 3);
    for (int frame : {3, 4, 7}) {
        const CImage output = Written("out0" + std::to_string(frame) + ".bmp");
        ASSERT_TRUE(output.HasImage()) << frame;
        EXPECT_EQ(PixelOf(output, 12, 6), FrameColour(frame)) << frame;
    }
    EXPECT_FALSE(Exists("out05.bmp") || Exists("out1.bmp") || Exists("out01.bmp"));
    EXPECT_EQ(progress.title, "Batch Map");
    EXPECT_EQ(progress.upper, 3);
    EXPECT_EQ(progress.steps, 3);
    EXPECT_EQ(progress.text, dir.File("out07.bmp"));
    EXPECT_EQ(documents.OpenCount(), 0u) << "each frame's windows are closed";
}

TEST_F(Batch, DisplayNameShowsOneHashPerDigit) {
    WriteFrame("pan0001.bmp", 1);
    messages.answers = {MessageAnswer::kCancel};
    const BatchResult result = RunRectToPolar("pan0001.bmp", "pan.bmp");
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("output as " + dir.File("pan####.bmp")), std::string::npos);
    EXPECT_FALSE(result.started);
    EXPECT_FALSE(Exists("pan0001.bmp.bmp") || Exists("pan00001.bmp"));
    EXPECT_EQ(progress.title, "") << "no progress display before the confirmation";
}

TEST_F(Batch, NothingRunsWithoutFilesOrWithAnUnwritableOutputType) {
    RunRectToPolar("none0001.bmp", "out.bmp");
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "No files in sequence '" + dir.File("none.bmp") + "' ?!");

    WriteFrame("pan1.bmp", 1);
    EXPECT_FALSE(RunRectToPolar("pan1.bmp", "out.gif").started);
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(messages.texts[1].rfind("Image output file name extension must be one of", 0), 0u);
    EXPECT_FALSE(Exists("out1.gif"));
}

class BatchCancel : public Batch, public testing::WithParamInterface<int> {};

TEST_P(BatchCancel, FrameUnderWayIsFinishedAndNoneAfterIt) {
    WriteFrame("f1.bmp", 1);
    WriteFrame("f2.bmp", 2);
    WriteFrame("f3.bmp", 3);
    cancelAtPump = GetParam();
    const BatchResult result = RunRectToPolar("f1.bmp", "o.bmp");
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.framesWritten, 2);
    EXPECT_TRUE(Exists("o1.bmp") && Exists("o2.bmp"));
    EXPECT_FALSE(Exists("o3.bmp"));
    EXPECT_EQ(documents.OpenCount(), 0u);
}

// Every pump the second frame makes: before it, after loading, before saving, after it.
INSTANTIATE_TEST_SUITE_P(DuringSecondFrame, BatchCancel, testing::Range(5, 9));

TEST_F(Batch, EachOutputTakesItsOwnFramesSize) {
    WriteFrame("s1.bmp", 1, 20, 10);
    WriteFrame("s2.bmp", 2, 30, 16);
    RunRectToPolar("s1.bmp", "o.bmp");
    EXPECT_EQ(Written("o1.bmp").Width(), 20);
    EXPECT_EQ(Written("o1.bmp").Height(), 10);
    EXPECT_EQ(Written("o2.bmp").Width(), 30);
    EXPECT_EQ(Written("o2.bmp").Height(), 16);
}

TEST_F(Batch, FrameThatDoesNotLoadIsSkippedAndNamed) {
    WriteFrame("g1.bmp", 1);
    WriteFileBytes(dir.File("g2.bmp"), {'B', 'M', 0, 0});
    WriteFrame("g3.bmp", 3);
    const BatchResult result = RunRectToPolar("g1.bmp", "o.bmp");
    EXPECT_EQ(result.framesWritten, 2);
    EXPECT_EQ(result.framesSkipped, 1);
    EXPECT_TRUE(Exists("o1.bmp") && Exists("o3.bmp"));
    EXPECT_FALSE(Exists("o2.bmp"));
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(messages.texts[1], ReadErrorText(dir.File("g2.bmp")));
    EXPECT_EQ(progress.steps, 3);
}

class FisheyeBatch : public Batch {
  protected:
    void SetUp() override {
        pan.width = 91;
        pan.height = 31;
        pan.azimuthLeft = -45;
        pan.azimuthRight = 45;
        pan.altitudeBottom = 0;
        pan.altitudeTop = 30;
        pan.antiAliasing = 0;
        map = NewMapDocument(pan, messages, documents);
        ASSERT_NE(map, nullptr);
    }
    PanSettings pan;
    CMosaDoc* map = nullptr;
};

TEST_F(FisheyeBatch, EveryFrameIsMappedIntoTheRectangleAndSavedUnderItsNumber) {
    WriteFrame("fish01.bmp", 1, 64, 36);
    WriteFileBytes(dir.File("fish02.bmp"), {'B', 'M', 0, 0});
    WriteFrame("fish03.bmp", 3, 64, 36);
    const BatchResult result =
        RunBatchFisheye(map, dir.File("fish01.bmp"), dir.File("pan.tga"), FisheyeParams{}, ports);
    EXPECT_EQ(result.framesWritten, 2);
    EXPECT_EQ(result.framesSkipped, 1);
    // Azimuth 0 at the tilt (20 degrees) looks along the fisheye's axis.
    for (int frame : {1, 3}) {
        const CImage output = Written("pan0" + std::to_string(frame) + ".tga");
        ASSERT_TRUE(output.HasImage());
        EXPECT_EQ(output.Width(), 91);
        EXPECT_EQ(PixelOf(output, 45, 20), FrameColour(frame));
    }
    EXPECT_FALSE(Exists("pan02.tga")) << "a frame that does not load is not mapped again";
    EXPECT_EQ(progress.title, "Batch Fisheye Map");
    EXPECT_EQ(progress.text, "");
    EXPECT_EQ(documents.OpenCount(), 0u) << "the map document is closed at the end";
}

TEST_F(FisheyeBatch, MapDocumentStaysWhenTheRunDoesNotStart) {
    WriteFrame("fish1.bmp", 1, 64, 36);
    messages.answers = {MessageAnswer::kCancel};
    EXPECT_FALSE(
        RunBatchFisheye(map, dir.File("fish1.bmp"), dir.File("p.bmp"), FisheyeParams{}, ports)
            .started);
    EXPECT_EQ(documents.OpenCount(), 1u);
    EXPECT_FALSE(
        RunBatchFisheye(nullptr, dir.File("fish1.bmp"), dir.File("p.bmp"), FisheyeParams{}, ports)
            .started);
    EXPECT_EQ(messages.texts.size(), 1u) << "without a map document nothing is asked";
    EXPECT_FALSE(Exists("p1.bmp"));
}

}  // namespace
