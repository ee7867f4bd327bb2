#include "console/byte_string.h"

#include <gtest/gtest.h>

#include <string>

#include "support/by_name.h"
#include "support/byte_strings.h"
#include "support/fake_sys.h"

namespace tarnwick {
namespace {

struct CopyCase {
    const char* name;
    const char* from;  // null: no source
    std::int32_t count;
    bool noMemory;  // the copy's block cannot be had
    bool copied;
    std::string want;
};

class CopyBytesTable : public ::testing::TestWithParam<CopyCase> {};

TEST_P(CopyBytesTable, CopiesExactlyCountBytesIntoABlockOfItsOwn) {
    const CopyCase& c = GetParam();
    fake::Reset();
    ByteString out = Bytes("stale");
    if (c.noMemory) fake::TheHeap().failRequest = fake::TheHeap().requests + 1;
    {
        EXPECT_EQ(CopyBytes(reinterpret_cast<const std::uint8_t*>(c.from), c.count, out), c.copied);
        EXPECT_EQ(Text(out), c.want);
        if (c.copied) {
            EXPECT_NE(static_cast<const void*>(out.bytes.get()), static_cast<const void*>(c.from));
            EXPECT_EQ(fake::TheHeap().live.at(out.bytes.get()), static_cast<std::size_t>(c.count));
        } else {
            EXPECT_EQ(out.bytes, nullptr) << "left empty";
        }
    }
    out = ByteString{};
    EXPECT_TRUE(fake::TheHeap().live.empty()) << "the earlier contents and the copy are both freed";
}

INSTANTIATE_TEST_SUITE_P(Copies, CopyBytesTable,
                         ::testing::Values(CopyCase{"Word", "count = 0", 5, false, true, "count"},
                                           CopyCase{"NulInside", "a\0b", 3, false, true,
                                                    std::string("a\0b", 3)},
                                           CopyCase{"OneByte", "x", 1, false, true, "x"},
                                           CopyCase{"ZeroCount", "abc", 0, false, false, ""},
                                           CopyCase{"NegativeCount", "abc", -1, false, false, ""},
                                           CopyCase{"NullSource", nullptr, 3, false, false, ""},
                                           CopyCase{"NoMemory", "abc", 3, true, false, ""}),
                         ByName());

}  // namespace
}  // namespace tarnwick
