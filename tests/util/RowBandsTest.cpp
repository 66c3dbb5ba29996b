#include <gtest/gtest.h>
#include <pthread.h>

#include <atomic>
#include <thread>

#include "ports/RowBands.h"
#include "support/ScopedRenderThreads.h"
#include "support/ScriptedProgress.h"

namespace {

// Workers compute rows; the calling thread alone pumps and steps, and alone takes the
// cancelling signals.
TEST(RowBands, WorkersComputeAndTheCallerPumpsAndTakesTheSignals) {
    const ScopedRenderThreads threads(3);
    const std::thread::id caller = std::this_thread::get_id();
    ScriptedProgress progress;
    std::atomic<int> rows{0}, onCaller{0}, signalsOpen{0};
    ForEachRow(0, 99, progress, [&](int) {
        ++rows;
        if (std::this_thread::get_id() == caller) ++onCaller;
        sigset_t mask;
        pthread_sigmask(SIG_BLOCK, nullptr, &mask);
        if (!sigismember(&mask, SIGTERM) || !sigismember(&mask, SIGINT)) ++signalsOpen;
    });
    EXPECT_EQ(rows, 100);
    EXPECT_EQ(onCaller, 0);
    EXPECT_EQ(signalsOpen, 0);
    EXPECT_EQ(progress.steps, 100);
    EXPECT_EQ(progress.pumps, 100);
    sigset_t mine;
    pthread_sigmask(SIG_BLOCK, nullptr, &mine);
    EXPECT_FALSE(sigismember(&mine, SIGTERM)) << "the caller's mask is untouched";
}

TEST(RowBands, BandsStartEveryKBandRowsFromTheFirstRow) {
    const ScopedRenderThreads threads(2);
    ScriptedProgress progress;
    std::atomic<int> starts[4] = {};
    ForEachRowBand(
        -1, 40, progress,
        [&](int first) {
            EXPECT_EQ((first + 1) % kBandRows, 0) << first;
            ++starts[(first + 1) / kBandRows];
            return first;
        },
        [](int& first, int row) { EXPECT_GE(row, first); });
    EXPECT_EQ(starts[0] + starts[1] + starts[2], 3) << "rows -1..40: bands at -1, 15 and 31";
    EXPECT_EQ(starts[3], 0);
}

}  // namespace
