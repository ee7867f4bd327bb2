// What tarnwick.dll needs of its own, being linked with no C or C++ runtime:
// an entry point, and the two routines the compiler may call. Only the DLL
// is built with this file; every other program has its runtime's.
#include <cstddef>

#include "platform/memory_routines.h"

extern "C" {

// The loader calls this at load, unload and thread start and end. No code of
// the plug-in's runs then: there is nothing to set up and nothing to undo.
int __stdcall DllEntry(void* /*module*/, unsigned long /*reason*/, void* /*reserved*/) { return 1; }

void* memcpy(void* dst, const void* src, std::size_t n) { return tarnwick::MemoryCopy(dst, src, n); }

void* memset(void* dst, int value, std::size_t n) { return tarnwick::MemoryFill(dst, value, n); }

}  // extern "C"
