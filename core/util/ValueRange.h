#pragma once

// The closed range a number a user gives must lie in.
struct ValueRange {
    double low;
    double high;

    // False for a value that is no number.
    constexpr bool Holds(double value) const { return value >= low && value <= high; }
};
