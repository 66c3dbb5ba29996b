#pragma once

#include <memory>
#include <new>
#include <utility>

// An allocator whose vectors leave new elements of trivial types unwritten on resize, so a
// large buffer that is filled in row bands is first touched (and its pages mapped) by the
// threads that fill it, not zeroed by one thread before.
template <typename T>
struct DefaultInitAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = DefaultInitAllocator<U>;
    };
    DefaultInitAllocator() = default;
    template <typename U>
    DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept {}

    template <typename U>
    void construct(U* place) noexcept(noexcept(U())) {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};
