#pragma once

#include "util/RenderThreads.h"

// The render loops' thread count for as long as it lives; every core again afterwards.
class ScopedRenderThreads {
  public:
    explicit ScopedRenderThreads(int count) { SetRenderThreads(count); }
    ~ScopedRenderThreads() { SetRenderThreads(0); }
    ScopedRenderThreads(const ScopedRenderThreads&) = delete;
    ScopedRenderThreads& operator=(const ScopedRenderThreads&) = delete;
};
