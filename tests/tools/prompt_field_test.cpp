#include "prompt_field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/by_name.h"
#include "support/key_records.h"

namespace tarnwick::demo {
namespace {

std::uint16_t NoScan(std::uint16_t /*vk*/) { return 0; }

InputRecord Key(std::uint16_t vk, std::uint8_t ch, bool down, std::uint32_t state = 0) {
    return KeyRecord(vk, ch, down, state, NoScan);
}

struct KeyCase {
    const char* name;
    std::string before;  // rendered field before: text with [selection], caret at '|'
    InputRecord key;
    std::string after;
};

// "ab|c" -> text "abc", caret 2; "[ab]|c" -> selection [0,2), caret 2.
PromptField Parse(const std::string& shown) {
    PromptField f;
    for (char c : shown) {
        if (c == '|') {
            f.caret = f.text.size();
        } else if (c == '[') {
            f.selStart = f.text.size();
        } else if (c == ']') {
            f.selEnd = f.text.size();
        } else {
            f.text += c;
        }
    }
    return f;
}

std::string Show(const PromptField& f) {
    std::string out;
    for (std::size_t i = 0; i <= f.text.size(); ++i) {
        if (f.selStart != f.selEnd && i == f.selEnd) out += ']';
        if (i == f.caret) out += '|';
        if (f.selStart != f.selEnd && i == f.selStart) out += '[';
        if (i < f.text.size()) out += f.text[i];
    }
    return out;
}

class PromptKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(PromptKeys, EachKindOfKeyActsAsInAOneLineField) {
    PromptField f = Parse(GetParam().before);
    ApplyKey(f, GetParam().key);
    EXPECT_EQ(Show(f), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PromptKeys,
    ::testing::Values(KeyCase{"PrintableInsertsAtCaret", "ab|c", Key(1, 'x', true), "abx|c"},
                      KeyCase{"PrintableReplacesSelection", "a[bc]|", Key(1, 'x', true), "ax|"},
                      KeyCase{"ReleaseDoesNothing", "ab|", Key(1, 'x', false), "ab|"},
                      KeyCase{"ControlCharacterDoesNothing", "ab|", Key(0x09, '\t', true), "ab|"},
                      KeyCase{"HomeMovesToStart", "ab|c", Key(0x24, 0, true), "|abc"},
                      KeyCase{"EndMovesToEnd", "a|bc", Key(0x23, 0, true), "abc|"},
                      KeyCase{"ShiftEndSelectsToEnd", "|abc", Key(0x23, 0, true, kShift), "[abc]|"},
                      KeyCase{"ShiftHomeSelectsToStart", "ab|c", Key(0x24, 0, true, kShift), "|[ab]c"},
                      KeyCase{"ShiftAloneDoesNothing", "ab|", Key(0x10, 0, true, kShift), "ab|"},
                      KeyCase{"MouseDoesNothing", "ab|",
                              [] {
                                  InputRecord m = Key(1, 'x', true);
                                  m.eventType = 2;
                                  return m;
                              }(),
                              "ab|"}),
    ByName());

TEST(PromptField, TheInjectedSequenceLeavesTheWordTypedAndSelected) {
    PromptField f;
    for (char c : std::string("count")) {
        ApplyKey(f, Key(1, static_cast<std::uint8_t>(c), true));
        ApplyKey(f, Key(1, static_cast<std::uint8_t>(c), false));
    }
    for (const InputRecord& k :
         {Key(0x24, 0, true), Key(0x24, 0, false), Key(0x10, 0, true, kShift), Key(0x23, 0, true, kShift),
          Key(0x23, 0, false, kShift), Key(0x10, 0, false)}) {
        ApplyKey(f, k);
    }
    EXPECT_EQ(Render(f), "[count]");
}

}  // namespace
}  // namespace tarnwick::demo
