#include "support/alloc_counter.h"

#include <cstdlib>
#include <new>

namespace tarnwick::alloc {

namespace {
Counters counters;
std::size_t failAbove = 0;
bool failAll = false;
int uncounted = 0;

}  // namespace

void* Allocate(std::size_t size) noexcept {
    if (uncounted > 0) return std::malloc(size == 0 ? 1 : size);
    if (failAll || (failAbove != 0 && size > failAbove)) return nullptr;
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p != nullptr) ++counters.allocations;
    return p;
}

void Release(void* p) noexcept {
    if (p == nullptr) return;
    if (uncounted == 0) ++counters.frees;
    std::free(p);
}

Counters Now() { return counters; }
NotCounted::NotCounted() { ++uncounted; }
NotCounted::~NotCounted() { --uncounted; }
void FailAbove(std::size_t bytes) { failAbove = bytes; }
void FailAll(bool fail) { failAll = fail; }

}  // namespace tarnwick::alloc
