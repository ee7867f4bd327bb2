#include "platform/memory_routines.h"

namespace tarnwick {

// Plain byte loops: the runs are short (a word, a record), and the DLL is
// compiled so that these loops are never turned back into memcpy or memset
// calls, which would call themselves.
void* MemoryCopy(void* dst, const void* src, std::size_t n) noexcept {
    auto* to = static_cast<unsigned char*>(dst);
    const auto* from = static_cast<const unsigned char*>(src);
    for (std::size_t i = 0; i < n; ++i) to[i] = from[i];
    return dst;
}

void* MemoryFill(void* dst, int value, std::size_t n) noexcept {
    auto* to = static_cast<unsigned char*>(dst);
    const auto byte = static_cast<unsigned char>(value);
    for (std::size_t i = 0; i < n; ++i) to[i] = byte;
    return dst;
}

}  // namespace tarnwick
