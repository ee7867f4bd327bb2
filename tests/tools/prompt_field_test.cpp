#include "prompt_field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/keystroke_injector.h"
#include "support/by_name.h"
#include "support/byte_strings.h"
#include "support/defined_numbers.h"
#include "support/fake_sys.h"
#include "support/key_records.h"

namespace tarnwick::demo {
namespace {

std::uint16_t NoScan(std::uint16_t /*vk*/) { return 0; }

InputRecord Key(std::uint16_t vk, std::uint8_t ch, bool down, std::uint32_t state = 0) {
    return KeyRecord(vk, ch, down, state, NoScan);
}

InputRecord CtrlK() { return Key(0x4B, 0x0B, true, os::kLeftCtrlPressed); }

struct KeyCase {
    const char* name;
    std::string before;  // the field before: text with [selection], caret at '|', '*' first if unchanged
    InputRecord key;
    std::string after;
    std::vector<std::string> history = {};  // most recent first
};

// "ab|c" -> text "abc", caret 2; "[ab]|c" -> selection [0,2), caret 2;
// "*ab|" -> "ab", still the unchanged previous text.
PromptField Parse(const std::string& shown, const std::vector<std::string>& history = {}) {
    PromptField f;
    f.history = history;
    for (char c : shown) {
        if (c == '*' && f.text.empty()) {
            f.unchanged = true;
            continue;
        }
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
    std::string out = f.unchanged ? "*" : "";
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
    PromptField f = Parse(GetParam().before, GetParam().history);
    ApplyKey(f, GetParam().key);
    EXPECT_EQ(Show(f), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PromptKeys,
    ::testing::Values(
        KeyCase{"PrintableInsertsAtCaret", "ab|c", Key(1, 'x', true), "abx|c"},
        KeyCase{"PrintableReplacesSelection", "a[bc]|", Key(1, 'x', true), "ax|"},
        KeyCase{"ReleaseDoesNothing", "ab|", Key(1, 'x', false), "ab|"},
        KeyCase{"ControlCharacterDoesNothing", "ab|", Key(0x09, '\t', true), "ab|"},
        KeyCase{"HomeMovesToStart", "ab|c", Key(0x24, 0, true), "|abc"},
        KeyCase{"EndMovesToEnd", "a|bc", Key(0x23, 0, true), "abc|"},
        KeyCase{"ShiftEndSelectsToEnd", "|abc", Key(0x23, 0, true, os::kShiftPressed), "[abc]|"},
        KeyCase{"ShiftHomeSelectsToStart", "ab|c", Key(0x24, 0, true, os::kShiftPressed), "|[ab]c"},
        KeyCase{"ShiftAloneDoesNothing", "ab|", Key(0x10, 0, true, os::kShiftPressed), "ab|"},
        KeyCase{"MouseDoesNothing", "ab|",
                [] {
                    InputRecord m = Key(1, 'x', true);
                    m.eventType = 2;
                    return m;
                }(),
                "ab|"},
        // The previous search text, untouched.
        KeyCase{"UnchangedTextIsReplacedByTheFirstCharacter", "*countdown|", Key(1, 'c', true), "c|"},
        KeyCase{"UnchangedTextIsReplacedBeforeCompletion",
                "*countdown|",
                Key(1, 'c', true),
                "c|[ountdown]",
                {"countdown"}},
        KeyCase{"HomeClearsTheUnchangedMark", "*abc|", Key(0x24, 0, true), "|abc"},
        KeyCase{"EndClearsTheUnchangedMark", "*abc|", Key(0x23, 0, true), "abc|"},
        KeyCase{"CtrlKClearsTheUnchangedMark", "*abc|", CtrlK(), "abc|"},
        KeyCase{"CtrlAloneKeepsTheUnchangedMark", "*abc|", Key(0x11, 0, true, os::kLeftCtrlPressed), "*abc|"},
        // Completion from the history, after a character typed at the end.
        KeyCase{"CompletesFromALongerEntry", "coun|", Key(1, 't', true), "count|[down]", {"countdown"}},
        KeyCase{"TheMostRecentMatchingEntryWins",
                "co|",
                Key(1, 'u', true),
                "cou|[nter]",
                {"cobalt", "counter", "country"}},
        KeyCase{"AnEqualEntryStopsTheSearch", "coun|", Key(1, 't', true), "count|", {"count", "countdown"}},
        KeyCase{"CaseIsKeptAsTyped", "CO|", Key(1, 'U', true), "COU|[ntry]", {"country"}},
        KeyCase{"TheEntrysCaseIsKeptInTheRest", "co|", Key(1, 'u', true), "cou|[NTER]", {"COUNTER"}},
        KeyCase{"NoMatchAppendsNothing", "co|", Key(1, 'u', true), "cou|", {"cat", "c"}},
        KeyCase{"NoCompletionInsideTheText", "c|t", Key(1, 'o', true), "co|t", {"cot", "cotton"}},
        KeyCase{"TheNextCharacterReplacesTheCompletion",
                "count|[down]",
                Key(1, 'e', true),
                "counte|[r]",
                {"countdown", "counter"}},
        // Ctrl+K deletes from the caret to the end.
        KeyCase{"CtrlKDropsTheCompletion", "count|[down]", CtrlK(), "count|", {"countdown"}},
        KeyCase{"CtrlKMidText", "co|unt", CtrlK(), "co|"},
        KeyCase{"CtrlKAtTheEndDoesNothing", "count|", CtrlK(), "count|"},
        KeyCase{"KWithoutCtrlIsTyped", "a|", Key(0x4B, 'k', true), "ak|"},
        // The field holds 1,023 bytes at most.
        KeyCase{"AFullFieldRefusesTheKey", std::string(1023, 'a') + "|", Key(1, 'x', true),
                std::string(1023, 'a') + "|"},
        KeyCase{"AFullFieldStillReplacesItsSelection", "[" + std::string(1023, 'a') + "]|", Key(1, 'x', true),
                "x|"},
        KeyCase{"AFieldOneByteShortTakesTheKey", std::string(1022, 'a') + "|", Key(1, 'x', true),
                std::string(1022, 'a') + "x|"}),
    ByName());

struct HistoryCase {
    const char* name;
    std::vector<std::string> history;  // most recent first; the first is the previous search text
    std::string word;                  // what the plug-in types
    std::string shown;
    friend void PrintTo(const HistoryCase& c, std::ostream* os) { *os << c.name; }
};

class PluginKeysInAFieldWithAMemory : public ::testing::TestWithParam<HistoryCase> {};

// The plug-in's own keys for one action, as it writes them, read by a field
// that opens with the previous search text and completes from its history.
TEST_P(PluginKeysInAFieldWithAMemory, LeaveExactlyTheWordSelected) {
    const HistoryCase& c = GetParam();
    fake::Reset();
    TypeIntoPrompt(Bytes(c.word));
    PromptField f = OpenPrompt(c.history);
    for (const InputRecord& rec : fake::Console().events) ApplyKey(f, rec);
    EXPECT_EQ(Render(f), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Histories, PluginKeysInAFieldWithAMemory,
    ::testing::Values(HistoryCase{"NoHistory", {}, "count", "[count]"},
                      HistoryCase{"PreviousTextEqual", {"count"}, "count", "[count]"},
                      HistoryCase{"PreviousTextLonger", {"countdown"}, "count", "[count]"},
                      HistoryCase{"OlderEntriesLonger", {"co", "counter", "countdown"}, "count", "[count]"},
                      HistoryCase{"OtherCase", {"COUNTER"}, "count", "[count]"},
                      HistoryCase{"NothingTypedKeepsThePreviousText", {"countdown"}, "", "[countdown]"},
                      HistoryCase{
                          "OnlyControlCharactersKeepThePreviousText", {"countdown"}, "\t\r", "[countdown]"},
                      HistoryCase{"NothingTypedIntoAnEmptyField", {}, "", ""},
                      HistoryCase{"AWordLongerThanTheFieldHolds",
                                  {"countdown"},
                                  std::string(5000, 'w'),
                                  "[" + std::string(1023, 'w') + "]"}),
    ByName());

}  // namespace
}  // namespace tarnwick::demo
