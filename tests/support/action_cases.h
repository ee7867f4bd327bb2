#pragma once
// What F7 must type for a given editor line, cursor and selection: one table,
// proven natively on the in-memory console and under Wine through the DLL.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "support/fake_editor.h"
#include "support/reference_rules.h"

namespace tarnwick {

struct ActionCase {
    const char* name;
    std::string line;
    std::int32_t col;
    std::int32_t blockType;  // 1: stream selection
    bool selectionStartsOnCursorLine;
    std::int32_t selStart;
    std::int32_t selEnd;
    std::string typed;  // what is typed; Ctrl+K and the selection keys follow
    // When given, the bytes command 10 must be handed, once.
    std::optional<std::string> converted = std::nullopt;
    friend void PrintTo(const ActionCase& c, std::ostream* os) { *os << c.name; }
};

// `n` word characters whose first 1,023 are found again only 3,969 bytes on,
// so that a copy taken from the wrong place is told apart.
inline std::string Letters(std::size_t n) {
    const std::string& chars = reference::kAsciiWordChars;  // 63 of them
    std::string out(n, ' ');
    for (std::size_t i = 0; i < n; ++i) out[i] = chars[(i + i / chars.size()) % chars.size()];
    return out;
}

inline std::vector<ActionCase> ActionCases() {
    return {
        {"WordUnderCursor", "int count = 0;", 6, 0, false, -1, -1, "count"},
        {"JustAfterTheWord", "int count = 0;", 9, 0, false, -1, -1, "count"},
        {"CursorAtEndOfLine", "int count", 9, 0, false, -1, -1, "count"},
        {"CursorBeyondEndOfLine", "int count", 10, 0, false, -1, -1, ""},
        {"SeparatorWithSeparatorLeft", "a  b", 2, 0, false, -1, -1, ""},
        {"EmptyLine", "", 0, 0, false, -1, -1, ""},
        {"StreamSelection", "int count = 0;", 0, 1, true, 4, 9, "count"},
        {"ReversedSelectionNoFallback", "int count = 0;", 6, 1, true, 9, 4, ""},
        {"EmptySelectionNoFallback", "int count = 0;", 6, 1, true, 4, 4, ""},
        {"SelectionFromAnEarlierLine", "int count = 0;", 0, 1, false, 0, 9, "int"},
        {"SelectionRunningPastTheLine", "int count = 0;", 6, 1, true, 4, -1, "count"},
        {"NoSelectionOnThisLine", "int count = 0;", 6, 1, true, -1, -1, "count"},
        {"SelectionStartingBeforeThisLine", "int count = 0;", 6, 1, true, -1, 3, "count"},
        {"BlockSelection", "int count = 0;", 6, 2, true, 0, 3, "count"},
        {"SelectionWithATab", "a\tb c", 0, 1, true, 0, 4, "ab "},
        {"SelectionOfControlCharactersOnly", "a\t\x01b", 0, 1, true, 1, 3, ""},
        {"HighBytes", "caf\xE9 x", 2, 0, false, -1, -1, "caf\xE9"},
        // The host's line is never read past the length it reports.
        {"SelectionBeyondTheLengthIsClipped", "int count", 0, 1, true, 4, 40, "count"},
        {"SelectionStartingBeyondTheLength", "int count", 0, 1, true, 12, 40, ""},
        {"SelectionStartingAtTheLength", "int count", 0, 1, true, 9, 12, ""},
        {"WordAtTheVeryEndOfTheLine", "x = total", 9, 0, false, -1, -1, "total"},
        // Only the range's first 1,023 bytes, what the host's prompt holds,
        // are copied, converted and typed.
        {"SelectionOf1022Bytes", Letters(1022), 0, 1, true, 0, 1022, Letters(1022), Letters(1022)},
        {"SelectionOf1023Bytes", Letters(1023), 0, 1, true, 0, 1023, Letters(1023), Letters(1023)},
        {"SelectionOf1024Bytes", Letters(1024), 0, 1, true, 0, 1024, Letters(1023), Letters(1023)},
        {"SelectionOf100000BytesFromColumn2", Letters(100002), 7, 1, true, 2, 100002,
         Letters(100002).substr(2, 1023), Letters(100002).substr(2, 1023)},
        {"WordOf5000LettersCursorInItsMiddle", "x = " + Letters(5000) + ";", 2504, 0, false, -1, -1,
         Letters(1023), Letters(1023)},
        {"TabsCountTowardsTheCut", std::string(100, '\t') + Letters(1000), 0, 1, true, 0, 1100, Letters(923),
         std::string(100, '\t') + Letters(923)},
    };
}

// Sets the fake editor up for a case.
inline fake::Editor& Arrange(const ActionCase& c) {
    fake::Editor& e = fake::ResetEditor(c.line, c.col);
    e.blockType = c.blockType;
    e.blockStartLine = c.selectionStartsOnCursorLine ? e.curLine : e.curLine - 2;
    e.selStart = c.selStart;
    e.selEnd = c.selEnd;
    return e;
}

}  // namespace tarnwick
