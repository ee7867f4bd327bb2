#pragma once
// Memory the plug-in owns for the length of one call: blocks of the process
// heap, freed by their owner on every path.
#include <memory>

#include "platform/sys.h"

namespace tarnwick {

struct HeapBlockFree {
    void operator()(void* block) const noexcept { sys::HeapFree(sys::GetProcessHeap(), 0, block); }
};

// An array in a heap block, freed when it goes out of scope.
template <class T>
using HeapArray = std::unique_ptr<T[], HeapBlockFree>;

}  // namespace tarnwick
