#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "batch/BatchReport.h"
#include "util/CancelRequest.h"

namespace {

// What a report wrote to a stream.
class Capture {
  public:
    Capture() : file(std::tmpfile()) {}
    ~Capture() { std::fclose(file); }
    std::FILE* Stream() const { return file; }
    std::string Text() const {
        std::fflush(file);
        std::string text;
        std::rewind(file);
        for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
        return text;
    }

  private:
    std::FILE* file;
};

const std::map<std::string, int> kThreeFrames = {{"f1.png", 1}, {"f2.png", 2}, {"f3.png", 3}};

TEST(BatchReport, ATerminalSeesOneBarRedrawnInPlaceWithRateAndTimeLeft) {
    Capture errors, json;
    {
        BatchReport report(ProgressStyle::kAuto, kThreeFrames, true, errors.Stream(),
                           json.Stream());
        report.Started();
        report.FrameWritten("f1.png");
        report.FrameFailed("f2.png");
        report.Ended(1, false);
    }
    const std::string text = errors.Text();
    EXPECT_NE(text.find("\r[########----------------] 1/3 frames"), std::string::npos) << text;
    EXPECT_NE(text.find("fps"), std::string::npos);
    EXPECT_NE(text.find(" left"), std::string::npos);
    EXPECT_NE(text.find("2/3 frames"), std::string::npos);
    EXPECT_NE(text.find("1 failed"), std::string::npos);
    EXPECT_EQ(text.find('\n'), text.size() - 1) << "the bar stays on one line: " << text;
    EXPECT_NE(text.find("mosa-batch: 1 of 3 frames written in 0:00, 1 failed\n"),
              std::string::npos);
    EXPECT_TRUE(json.Text().empty());
}

TEST(BatchReport, ALogGetsALineAFrameAndMessagesStayOneLine) {
    Capture errors, json;
    BatchReport report(ProgressStyle::kAuto, kThreeFrames, false, errors.Stream(), json.Stream());
    report.Started();
    EXPECT_EQ(report.Show("Top: a.bmp doesn't exist!\nLeft: b.bmp doesn't exist!\n",
                          MessageButtons::kYesNo),
              MessageAnswer::kNo)
        << "nobody answers on a farm node";
    EXPECT_EQ(report.Show("Go on?", MessageButtons::kOkCancel), MessageAnswer::kOk);
    report.FrameWritten("f1.png");
    const std::string text = errors.Text();
    EXPECT_NE(text.find("Top: a.bmp doesn't exist! Left: b.bmp doesn't exist!\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("1/3 written f1.png"), std::string::npos) << text;
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(BatchReport, JsonLinesNameTheFrameOfEachOutputAndTheLastMessageOfAFailure) {
    Capture errors, json;
    BatchReport report(ProgressStyle::kJson, kThreeFrames, true, errors.Stream(), json.Stream());
    report.Started();
    report.Skipped(4, "output exists");
    report.Show("Could not write f2.png", MessageButtons::kOk);
    report.FrameFailed("f2.png");
    report.FrameWritten("unplanned.png");
    report.Ended(1, false);
    std::vector<nlohmann::json> events;
    std::istringstream lines(json.Text());
    for (std::string line; std::getline(lines, line);)
        events.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0]["event"], "start");
    EXPECT_EQ(events[1]["event"], "skipped");
    EXPECT_EQ(events[1]["frame"], 4);
    EXPECT_EQ(events[2]["event"], "message");
    EXPECT_EQ(events[3]["event"], "failed");
    EXPECT_EQ(events[3]["frame"], 2);
    EXPECT_EQ(events[3]["message"], "Could not write f2.png");
    EXPECT_EQ(events[3]["done"], 1);
    EXPECT_TRUE(events[4]["frame"].is_null()) << "an output the plan does not name";
    EXPECT_EQ(events[5]["event"], "end");
    EXPECT_EQ(events[5]["written"], 1);
    EXPECT_EQ(events[5]["failed"], 1);
    EXPECT_EQ(errors.Text(), "Could not write f2.png\n") << "no bar beside the JSON";
}

TEST(BatchReport, TheJobsProgressCancelsOnASignal) {
    Capture errors, json;
    BatchReport report(ProgressStyle::kNone, kThreeFrames, false, errors.Stream(), json.Stream());
    const std::unique_ptr<Progress> rows = report.NewRowProgress();
    rows->PumpMessages(1);
    EXPECT_EQ(rows->cancelled, 0);
    RequestCancel();
    rows->PumpMessages(1);
    ClearCancelRequest();
    EXPECT_EQ(rows->cancelled, 1);
    report.FrameWritten("f1.png");
    report.Ended(0, false);
    EXPECT_TRUE(errors.Text().empty());
}

}  // namespace
