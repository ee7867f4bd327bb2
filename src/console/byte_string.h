#pragma once
// A writable run of 8-bit characters with an explicit length, owned by the
// plug-in. NUL bytes inside it are ordinary bytes.
#include <cstdint>

#include "platform/heap_block.h"

namespace tarnwick {

struct ByteString {
    HeapArray<std::uint8_t> bytes;
    std::int32_t length = 0;
};

// Copies `count` bytes from `first` into `out`. False, with `out` left empty,
// when `count` is not positive or the memory cannot be had.
bool CopyBytes(const std::uint8_t* first, std::int32_t count, ByteString& out) noexcept;

}  // namespace tarnwick
