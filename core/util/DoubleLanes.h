#pragma once

#include <cstdint>
#include <cstring>

// Two doubles worked on at once (the compiler's vector extension, an SSE2 register).
// Each lane's arithmetic is the IEEE operation a scalar double gets, so lanes give the same
// bits as one-by-one code. Comparisons give masks (all ones or zero per lane).
namespace lanes {

inline constexpr int kWidth = 2;
using Doubles = double __attribute__((vector_size(16)));
using Masks = int64_t __attribute__((vector_size(16)));

inline Doubles Load(const double* from) {
    Doubles d;
    std::memcpy(&d, from, sizeof d);
    return d;
}

inline void Store(double* to, Doubles d) { std::memcpy(to, &d, sizeof d); }

inline Doubles Splat(double value) { return Doubles{value, value}; }

// Where the mask is set x, elsewhere y.
inline Doubles Select(Masks mask, Doubles x, Doubles y) {
    return reinterpret_cast<Doubles>((mask & reinterpret_cast<Masks>(x)) |
                                     (~mask & reinterpret_cast<Masks>(y)));
}

// std::fabs of each lane: the sign bit cleared.
inline Doubles Abs(Doubles d) {
    return reinterpret_cast<Doubles>(reinterpret_cast<Masks>(d) & INT64_MAX);
}

}  // namespace lanes
