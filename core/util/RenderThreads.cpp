#include "util/RenderThreads.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

std::atomic<int> chosen{0};

}  // namespace

void SetRenderThreads(int count) {
    chosen = std::max(count, 0);
}

int RenderThreads() {
    const int count = chosen;
    if (count > 0) return count;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}
