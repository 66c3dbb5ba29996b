#pragma once

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "ports/Progress.h"
#include "util/CancelRequest.h"
#include "util/RenderThreads.h"
#include "util/VectorState.h"

// Rows of a picture go to the threads in bands of this many, counted from the first row.
// The bands do not depend on the thread count, so neither does anything a band computes.
inline constexpr int kBandRows = 16;

namespace row_bands {

struct Band {
    int first;
    int last;
};

inline Band BandAt(int first, int last, int index) {
    const int start = first + index * kBandRows;
    return {start, std::min(last, start + kBandRows - 1)};
}

// One thread: the progress is pumped, checked and stepped before each row, as the
// single-threaded loops always did.
template <typename MakeState, typename Row>
bool RunHere(int first, int last, Progress& progress, MakeState& makeState, Row& row) {
    const int bands = (last - first) / kBandRows + 1;
    for (int b = 0; b < bands; ++b) {
        const Band band = BandAt(first, last, b);
        auto state = makeState(band.first);
        for (int i = band.first; i <= band.last; ++i) {
            progress.PumpMessages(1);
            if (progress.cancelled) return false;
            progress.Step();
            ClearUpperVectorState();  // the pump may have run the desktop's code
            row(state, i);
        }
    }
    return true;
}

}  // namespace row_bands

// Runs row(state, i) for the rows first..last, in bands of kBandRows rows, on RenderThreads()
// threads; makeState(bandFirstRow) makes what a band carries from row to row, anew for each
// band. The calling thread only pumps the progress display and steps it once per finished
// row; the workers never touch it. A cancel stops every band at its next row. Answers false
// when cancelled.
template <typename MakeState, typename Row>
bool ForEachRowBand(int first, int last, Progress& progress, MakeState&& makeState, Row&& row) {
    if (last < first) return true;
    const int bands = (last - first) / kBandRows + 1;
    const int threads = std::min(RenderThreads(), bands);
    if (threads <= 1) return row_bands::RunHere(first, last, progress, makeState, row);

    std::atomic<int> nextBand{0};
    std::atomic<int> rowsDone{0};
    std::atomic<bool> stop{false};
    auto work = [&] {
        ClearUpperVectorState();  // a new thread starts with its creator's vector state
        KeepCancellingSignalsOffThisThread();
        for (int b = nextBand++; b < bands && !stop; b = nextBand++) {
            const row_bands::Band band = row_bands::BandAt(first, last, b);
            auto state = makeState(band.first);
            for (int i = band.first; i <= band.last && !stop; ++i) {
                row(state, i);
                ++rowsDone;
                rowsDone.notify_one();
            }
        }
    };
    bool cancelled = false;
    {
        // The first pump comes before any worker starts, so a cancel already asked for
        // stops the job before its first row, as on one thread.
        progress.PumpMessages(1);
        if (progress.cancelled) return false;
        std::vector<std::jthread> workers;
        workers.reserve(static_cast<size_t>(threads));
        for (int t = 0; t < threads; ++t) workers.emplace_back(work);
        const int rows = last - first + 1;
        for (int stepped = 0; stepped < rows; ++stepped) {
            if (stepped > 0) progress.PumpMessages(1);
            if (progress.cancelled) {
                cancelled = true;
                stop = true;
                break;
            }
            for (int done = rowsDone; done <= stepped; done = rowsDone) rowsDone.wait(done);
            progress.Step();
        }
    }  // the workers are joined here
    return !cancelled;
}

// Runs body(i) for the rows first..last as ForEachRowBand does, for rows that carry nothing
// from one to the next.
template <typename Body>
bool ForEachRow(int first, int last, Progress& progress, Body&& body) {
    struct Nothing {};
    return ForEachRowBand(
        first, last, progress, [](int) { return Nothing{}; },
        [&body](Nothing&, int i) { body(i); });
}
