#include "support/alloc_counter.h"

#include <cstdlib>
#include <new>

namespace tarnwick::alloc {

namespace {
Counters counters;
std::size_t failAbove = 0;
bool failAll = false;
int uncounted = 0;

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
}  // namespace

Counters Now() { return counters; }
NotCounted::NotCounted() { ++uncounted; }
NotCounted::~NotCounted() { --uncounted; }
void FailAbove(std::size_t bytes) { failAbove = bytes; }
void FailAll(bool fail) { failAll = fail; }

}  // namespace tarnwick::alloc

using tarnwick::alloc::Allocate;
using tarnwick::alloc::Release;

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
