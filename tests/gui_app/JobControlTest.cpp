#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/ImageDoc.h"
#include "gui/app/JobControl.h"

namespace {

TEST(JobControl, KnowsTheDocumentsOfTheRunningJobOnly) {
    JobControl jobs;
    CImageDoc given, made, other;
    jobs.AddDocument(&made);
    EXPECT_FALSE(jobs.IsRunning());
    EXPECT_FALSE(jobs.Uses(&made)) << "a document made with no job running is nobody's";
    {
        const JobControl::Running job(jobs, {&given});
        EXPECT_TRUE(jobs.IsRunning());
        jobs.AddDocument(&made);
        EXPECT_TRUE(jobs.Uses(&given));
        EXPECT_TRUE(jobs.Uses(&made));
        EXPECT_FALSE(jobs.Uses(&other));
        jobs.ForgetDocument(&made);
        EXPECT_FALSE(jobs.Uses(&made)) << "closed by the job itself";
    }
    EXPECT_FALSE(jobs.IsRunning());
    EXPECT_FALSE(jobs.Uses(&given));
}

TEST(JobControl, HeldActionsRunOnceAfterTheOutermostJob) {
    JobControl jobs;
    std::vector<std::string> log;
    {
        const JobControl::Running outer(jobs);
        {
            const JobControl::Running inner(jobs);
            jobs.Cancel(&log, [&log] { log.push_back("close window"); });
            jobs.Cancel(&log, [&log] { log.push_back("close window again"); });
            EXPECT_TRUE(jobs.CancelRequested());
        }
        EXPECT_TRUE(jobs.IsRunning()) << "a job started inside another one joins it";
        EXPECT_TRUE(log.empty()) << "nothing runs under the job";
        jobs.Cancel(&jobs, [&log] { log.push_back("quit"); });
    }
    EXPECT_EQ(log, (std::vector<std::string>{"close window", "quit"}));
    EXPECT_FALSE(jobs.CancelRequested()) << "the next job starts without a cancel";
    jobs.Cancel(&jobs, [&log] { log.push_back("at once"); });
    EXPECT_EQ(log.back(), "at once") << "with no job running the action does not wait";
    EXPECT_FALSE(jobs.CancelRequested());
}

TEST(JobControl, AnActionMayStartTheNextJob) {
    JobControl jobs;
    bool secondRan = false;
    {
        const JobControl::Running job(jobs);
        jobs.Cancel(&jobs, [&] {
            const JobControl::Running next(jobs);
            EXPECT_FALSE(jobs.CancelRequested());
            secondRan = true;
        });
    }
    EXPECT_TRUE(secondRan);
    EXPECT_FALSE(jobs.IsRunning());
}

}  // namespace
