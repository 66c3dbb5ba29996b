#include <gtest/gtest.h>

#include <filesystem>

#include "document/ImageDoc.h"
#include "document/JobResult.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedProgress.h"
#include "support/TempDir.h"
#include "util/CancelRequest.h"

namespace {

class SaveFrameTest : public testing::Test {
  protected:
    void SetUp() override { document.Image().Create(4, 3, 24, -1); }
    void TearDown() override { ClearCancelRequest(); }

    TempDir dir;
    CImageDoc document;
    RecordingMessages messages;
    JobResult result;
};

TEST_F(SaveFrameTest, WrittenFramesAreCountedQuietly) {
    ScriptedProgress progress;
    EXPECT_TRUE(SaveFrame(document, dir.File("a.bmp"), progress, messages, result));
    EXPECT_TRUE(SaveFrame(document, dir.File("b.tga"), progress, messages, result));
    EXPECT_EQ(result.framesWritten, 2);
    EXPECT_EQ(result.saveFailures, 0);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_TRUE(std::filesystem::exists(dir.File("b.tga")));
}

TEST_F(SaveFrameTest, AFailedSaveIsCountedAndReportedAndTheJobGoesOn) {
    ScriptedProgress progress;
    const std::string name = dir.File("no/such/folder/a.bmp");
    EXPECT_TRUE(SaveFrame(document, name, progress, messages, result));
    EXPECT_EQ(result.saveFailures, 1);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Could not write " + name});
}

// A cancel seen while the frame was written, from the display or from a signal, stops the
// job without calling the missing file a failure.
TEST_F(SaveFrameTest, ASaveStoppedByACancelCountsAsTheCancel) {
    ScriptedProgress cancelling(1);
    EXPECT_FALSE(SaveFrame(document, dir.File("none/a.bmp"), cancelling, messages, result));
    EXPECT_TRUE(result.cancelled);

    JobResult bySignal;
    ScriptedProgress quiet;
    RequestCancel();
    EXPECT_FALSE(SaveFrame(document, dir.File("b.bmp"), quiet, messages, bySignal));
    EXPECT_TRUE(bySignal.cancelled);
    EXPECT_FALSE(std::filesystem::exists(dir.File("b.bmp"))) << "the write left no file";
    EXPECT_EQ(result.saveFailures + bySignal.saveFailures, 0);
    EXPECT_TRUE(messages.texts.empty());
}

}  // namespace
