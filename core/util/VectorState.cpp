#include "util/VectorState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace {

// vzeroupper exists only where AVX does; elsewhere the upper halves are never dirty.
__attribute__((target("avx"))) void ZeroUpper() {
    _mm256_zeroupper();
}

bool HaveAvx() {
    static const bool have = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return have;
}

}  // namespace

void ClearUpperVectorState() {
    if (HaveAvx()) ZeroUpper();
}

#else

void ClearUpperVectorState() {}

#endif
