#pragma once

#include <string>

// What loading one picture file costs. The load runs in a child process, so that memory an
// earlier test touched cannot hide what this one takes, and a runaway load cannot take the
// test program with it. Peak resident memory works under the address sanitizer too (which
// reserves far more address space than it uses).
struct LoadCost {
    bool measured = false;  // false when the child could not be run or did not report
    int answer = -1;        // Load's answer
    bool hasImage = false;
    double seconds = 0;
    long peakGrowthKilobytes = 0;  // peak resident memory over what the child started with
};

LoadCost MeasureLoad(const std::string& file);
