#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

#include "document/ImageDoc.h"
#include "headless/ConsoleMessages.h"
#include "headless/ConsoleProgress.h"
#include "headless/HeadlessDocuments.h"
#include "headless/SignalCancel.h"
#include "mapdoc/MosaDoc.h"
#include "support/RecordingMessages.h"

namespace {

std::string Contents(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    return text;
}

TEST(ConsoleProgress, CaptionFollowsPercentageAndPlainLinesWhenNotATerminal) {
    std::FILE* out = std::tmpfile();
    {
        ConsoleProgress progress(out);
        EXPECT_EQ(progress.Step(), 0) << "before Open nothing moves";
        progress.Open("Batch Map", 0);
        EXPECT_EQ(progress.Caption(), "Batch Map");
        progress.SetRange(0, 3, 1);
        progress.SetText("Mapping %d dome%s %s . . .", 3, "s", "(EWA)");
        progress.Step();
        EXPECT_EQ(progress.Caption(), "Progress [33%]");
        progress.Step();
        EXPECT_EQ(progress.Caption(), "Progress [66%]");
        EXPECT_EQ(progress.Step(), 2);
        EXPECT_EQ(progress.Caption(), "Progress [100%]");
    }
    const std::string text = Contents(out);
    EXPECT_NE(text.find("Progress [66%] Mapping 3 domes (EWA) . . .\n"), std::string::npos) << text;
    EXPECT_EQ(text.find('\r'), std::string::npos) << "no in-place redraw into a file";
    std::fclose(out);
}

TEST(ConsoleProgress, EqualBoundsKeepTheTitle) {
    std::FILE* out = std::tmpfile();
    ConsoleProgress progress(out);
    progress.Open("Mapping . . .", 0);
    progress.SetRange(0, 0, 1);
    progress.Step();
    EXPECT_EQ(progress.Caption(), "Mapping . . .");
    std::fclose(out);
}

// Thousands of 4K frames make positions whose hundredfold passes the int range.
TEST(ConsoleProgress, LongJobsKeepTheirPercentage) {
    std::FILE* out = std::tmpfile();
    ConsoleProgress progress(out);
    progress.Open("Mapping . . .", 0);
    progress.SetRange(0, 6000 * 4096, 1);
    progress.SetPosition(5400 * 4096);
    EXPECT_EQ(progress.Caption(), "Progress [90%]");
    std::fclose(out);
}

TEST(ConsoleProgress, SignalsCancelAtTheNextPump) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const SignalCancel cancelOnSignal;
        std::FILE* out = std::tmpfile();
        ConsoleProgress progress(out);
        progress.Open("Mapping . . .", 0);
        progress.PumpMessages(1);
        EXPECT_EQ(progress.cancelled, 0);
        std::raise(signal);
        EXPECT_EQ(progress.cancelled, 0) << "seen only when the job pumps";
        progress.PumpMessages(1);
        EXPECT_EQ(progress.cancelled, 1) << signal;
        EXPECT_EQ(SignalCancel::Received(), signal);
        std::fclose(out);
    }
}

TEST(SignalCancel, AClosedPipeDoesNotEndTheRun) {
    const SignalCancel cancelOnSignal;
    std::raise(SIGPIPE);
    EXPECT_EQ(SignalCancel::Received(), 0);
}

TEST(ConsoleMessages, QuestionsWithoutATerminalAreAnsweredNo) {
    std::FILE* out = std::tmpfile();
    std::FILE* in = std::tmpfile();  // not a terminal
    ConsoleMessages messages(out, in);
    EXPECT_EQ(messages.Show("Continue?", MessageButtons::kYesNo), MessageAnswer::kNo);
    EXPECT_EQ(messages.Show("Rendering took 3 seconds", MessageButtons::kOk), MessageAnswer::kOk);
    EXPECT_EQ(Contents(out), "Continue?\nRendering took 3 seconds\n");
    std::fclose(in);
    std::fclose(out);
}

TEST(HeadlessDocuments, KeepsDocumentsUntilClosed) {
    RecordingMessages messages;
    HeadlessDocuments documents;
    CImageDoc* a = &NewImageDocument(documents);
    CImageDoc* b = &NewImageDocument(documents);
    EXPECT_NE(a, b);
    documents.CloseDocument(a);
    EXPECT_EQ(documents.OpenCount(), 1u);
    CMosaDoc* map = NewMapDocument(NewDocumentPanSettings(), messages, documents);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->Image().Width(), 1800) << "the parameters a new document starts with";
    EXPECT_EQ(map->Image().Height(), 486);
    documents.CloseDocument(map);
    EXPECT_EQ(documents.OpenCount(), 1u);
}

TEST(HeadlessDocuments, ClosesAnyKindThroughOneCallAndOnlyOnce) {
    RecordingMessages messages;
    HeadlessDocuments documents;
    CImageDoc* picture = &NewImageDocument(documents);
    CMosaDoc* map = NewMapDocument(NewDocumentPanSettings(), messages, documents);
    ASSERT_NE(map, nullptr);
    CDocument* kinds[] = {map, picture};
    documents.CloseDocument(kinds[0]);
    EXPECT_EQ(documents.OpenCount(), 1u);
    documents.CloseDocument(kinds[0]);
    EXPECT_EQ(documents.OpenCount(), 1u) << "a second close of the same document closes nothing";
    documents.CloseDocument(kinds[1]);
    EXPECT_EQ(documents.OpenCount(), 0u);
}

}  // namespace
