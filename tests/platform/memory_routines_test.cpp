// The byte copy and fill that stand in for memcpy and memset in tarnwick.dll.
#include "platform/memory_routines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tarnwick {
namespace {

struct ByteRun {
    std::size_t size;
    std::size_t dstOffset;  // from an aligned start, to cover every alignment
    std::size_t srcOffset;
    int value;  // for the fill: only its low byte is written
};

class MemoryRoutines : public ::testing::TestWithParam<ByteRun> {};

constexpr std::size_t kGuard = 8;
constexpr std::uint8_t kGuardByte = 0xEE;

// Copies and fills exactly `size` bytes at the offset, and nothing around them.
TEST_P(MemoryRoutines, TouchExactlyTheirRun) {
    const ByteRun& r = GetParam();
    std::vector<std::uint8_t> src(r.srcOffset + r.size);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<std::uint8_t>(i * 7 + 1);
    std::vector<std::uint8_t> dst(kGuard + r.dstOffset + r.size + kGuard, kGuardByte);
    std::uint8_t* at = dst.data() + kGuard + r.dstOffset;

    EXPECT_EQ(MemoryCopy(at, src.data() + r.srcOffset, r.size), at);
    std::vector<std::uint8_t> want(dst.size(), kGuardByte);
    for (std::size_t i = 0; i < r.size; ++i) want[kGuard + r.dstOffset + i] = src[r.srcOffset + i];
    EXPECT_EQ(dst, want);

    EXPECT_EQ(MemoryFill(at, r.value, r.size), at);
    for (std::size_t i = 0; i < r.size; ++i)
        want[kGuard + r.dstOffset + i] = static_cast<std::uint8_t>(r.value);
    EXPECT_EQ(dst, want);
}

INSTANTIATE_TEST_SUITE_P(Runs, MemoryRoutines,
                         ::testing::Values(ByteRun{0, 0, 0, 0x41}, ByteRun{1, 0, 0, 0},
                                           ByteRun{1, 3, 1, 0xFF},
                                           ByteRun{3, 1, 2, 0x1A5},  // 0x1A5: the byte 0xA5
                                           ByteRun{4, 0, 0, -1}, ByteRun{7, 2, 3, 0x20}, ByteRun{20, 0, 0, 0},
                                           ByteRun{36, 1, 0, 0}, ByteRun{100, 3, 3, 0x7F},
                                           ByteRun{257, 2, 1, 0x80}));

}  // namespace
}  // namespace tarnwick
