#pragma once
// What every test of the logic on the in-memory platform expects of its heap
// when a call has returned.
#include <gtest/gtest.h>

#include "support/fake_sys.h"

namespace tarnwick {

// Every block freed before the call returned, and nothing asked of any heap
// but the process heap.
inline void ExpectEveryBlockFreed() {
    EXPECT_TRUE(fake::TheHeap().live.empty()) << "every block freed before the call returned";
    EXPECT_EQ(fake::TheHeap().badCalls, 0);
}

}  // namespace tarnwick
