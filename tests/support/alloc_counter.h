#pragma once
// Counts the program's heap allocations (operator new and delete are replaced
// in alloc_hooks.cpp) and can make them fail, to prove what the plug-in
// allocates, that it frees it, and what it does when memory is short.
#include <cstddef>

namespace tarnwick::alloc {

struct Counters {
    long allocations = 0;
    long frees = 0;
};

// The counts so far.
Counters Now();

// While one of these lives, allocations are neither counted nor failed: the
// fakes' own bookkeeping is not the plug-in's.
struct NotCounted {
    NotCounted();
    ~NotCounted();
    NotCounted(const NotCounted&) = delete;
    NotCounted& operator=(const NotCounted&) = delete;
};

// Allocations larger than this many bytes fail (0: none fail for size).
void FailAbove(std::size_t bytes);
// Every allocation fails while set.
void FailAll(bool fail);

// What the replaced operator new and delete call (alloc_hooks.cpp).
void* Allocate(std::size_t size) noexcept;
void Release(void* p) noexcept;

}  // namespace tarnwick::alloc
