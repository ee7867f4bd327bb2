#pragma once
// Byte copy and fill, for a build with no C runtime: tarnwick.dll's memcpy
// and memset (dll/dll_entry.cpp), which the compiler may call for any copy or
// zeroing of a record, are these.
#include <cstddef>

namespace tarnwick {

// Copies `n` bytes from `src` to `dst` (the two do not overlap); returns `dst`.
void* MemoryCopy(void* dst, const void* src, std::size_t n) noexcept;

// Sets `n` bytes at `dst` to the low byte of `value`; returns `dst`.
void* MemoryFill(void* dst, int value, std::size_t n) noexcept;

}  // namespace tarnwick
