#include "word/word_scanner.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "support/reference_rules.h"

namespace tarnwick {
namespace {

using Bytes = std::string;

struct Found {
    bool found;
    std::int32_t start;
    std::int32_t end;
};

// Runs FindWordBounds on an exactly-sized copy of the line, so that a read
// outside it is caught by the sanitizers.
Found Scan(const Bytes& line, std::int32_t col) {
    std::vector<std::uint8_t> copy(line.begin(), line.end());
    std::int32_t start = -7;
    std::int32_t end = -9;
    const bool found = FindWordBounds(copy.empty() ? nullptr : copy.data(),
                                      static_cast<std::int32_t>(copy.size()), col, start, end);
    if (!found) {
        EXPECT_EQ(start, -7) << "outputs must be left untouched";
        EXPECT_EQ(end, -9) << "outputs must be left untouched";
    }
    return {found, start, end};
}

struct Case {
    Bytes line;
    std::int32_t col;
    bool found;
    std::int32_t start;
    std::int32_t end;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << "line of " << c.line.size() << " bytes, column " << c.col;
}

class WordBoundsTable : public ::testing::TestWithParam<Case> {};

TEST_P(WordBoundsTable, FindsTheWordAtTheColumn) {
    const Case& c = GetParam();
    const Found got = Scan(c.line, c.col);
    ASSERT_EQ(got.found, c.found);
    if (c.found) {
        EXPECT_EQ(got.start, c.start);
        EXPECT_EQ(got.end, c.end);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WordBoundsTable,
    ::testing::Values(Case{"foo bar", 0, true, 0, 3}, Case{"foo bar", 1, true, 0, 3},
                      Case{"foo bar", 2, true, 0, 3}, Case{"foo bar", 3, true, 0, 3},  // just after a word
                      Case{"foo bar", 4, true, 4, 7}, Case{"foo bar", 6, true, 4, 7},
                      Case{"foo bar", 7, true, 4, 7},                                // end of line
                      Case{"foo bar", 12, true, 4, 7},                               // beyond it
                      Case{"foo  bar", 4, false, 0, 0}, Case{".x", 0, false, 0, 0},  // never looks right
                      Case{"a-b", 1, true, 0, 1}, Case{"a-b", 2, true, 2, 3}, Case{"abc ", 4, false, 0, 0},
                      Case{"abc ", 3, true, 0, 3}, Case{"abc ", 9, false, 0, 0}, Case{"", 0, false, 0, 0},
                      Case{"", 5, false, 0, 0}, Case{"x_1", 0, true, 0, 3}, Case{"x_1", 3, true, 0, 3},
                      Case{"\xC0\xE9 ", 0, true, 0, 2},  // high bytes are word characters
                      Case{"a\tb", 1, true, 0, 1}, Case{Bytes("a\0b", 3), 1, true, 0, 1},
                      Case{"a\x7F"
                           "b",
                           1, true, 0, 1},
                      Case{"\t\t", 1, false, 0, 0}, Case{"@[`{", 2, false, 0, 0}, Case{"Z", 0, true, 0, 1},
                      Case{"ab", -1, false, 0, 0},  // a negative column is never looked up
                      Case{"ab", INT32_MIN, false, 0, 0}, Case{"ab", INT32_MAX, true, 0, 2}));

TEST(IsWordChar, MatchesTheRuleForEveryByte) {
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(IsWordChar(static_cast<std::uint8_t>(c)),
                  reference::IsWordChar(static_cast<std::uint8_t>(c)))
            << "byte " << c;
    }
}

TEST(FindWordBounds, AgreesWithTheRulesOnEveryShortLine) {
    const Bytes alphabet("a7_ .\t\0\x7F\xE9", 9);
    std::vector<Bytes> lines{Bytes()};
    for (int length = 0; length <= 6; ++length) {
        std::vector<Bytes> longer;
        for (const Bytes& line : lines) {
            for (std::int32_t col = 0; col <= length + 2; ++col) {
                const reference::WordRange want = reference::WordAt(line, col);
                const Found got = Scan(line, col);
                ASSERT_EQ(got.found, want.found) << "line of " << length << " bytes, column " << col;
                if (want.found) {
                    ASSERT_EQ(got.start, want.start);
                    ASSERT_EQ(got.end, want.end);
                }
            }
            if (length < 6) {
                for (char c : alphabet) longer.push_back(line + c);
            }
        }
        lines.swap(longer);
    }
}

}  // namespace
}  // namespace tarnwick
