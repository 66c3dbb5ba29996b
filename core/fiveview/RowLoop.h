#pragma once

#include "ports/Progress.h"
#include "util/VectorState.h"

// Runs body(row) for rows first..last, pumping the progress before each row, stopping when it
// is cancelled and stepping it once per row. Answers false when cancelled.
template <typename Body>
bool ForEachRow(int first, int last, Progress& progress, Body&& body) {
    for (int row = first; row <= last; ++row) {
        progress.PumpMessages(1);
        if (progress.cancelled) return false;
        progress.Step();
        ClearUpperVectorState();  // the pump may have run the desktop's code
        body(row);
    }
    return true;
}
