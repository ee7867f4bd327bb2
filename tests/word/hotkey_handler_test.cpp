// F7 and Ctrl+F7 through the hotkey handler, with a fake editor behind the
// command entry and the in-memory console queue.
#include "word/hotkey_handler.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "console/keystroke_injector.h"
#include "host/editor_service.h"
#include "support/action_cases.h"
#include "support/by_name.h"
#include "support/defined_numbers.h"
#include "support/fake_editor.h"
#include "support/fake_sys.h"
#include "support/heap_checks.h"
#include "support/key_records.h"

namespace tarnwick {
namespace {

// F7 pressed or released with these modifier bits.
InputRecord F7Press(std::uint32_t state = 0) { return KeyRecord(os::kVkF7, 0, true, state, fake::ScanCode); }
InputRecord F7Release(std::uint32_t state = 0) {
    return KeyRecord(os::kVkF7, 0, false, state, fake::ScanCode);
}

std::vector<InputRecord> Queue() { return {fake::Console().events.begin(), fake::Console().events.end()}; }

// What one action appends: the text, Ctrl+K when anything was typed, the
// selection keys.
std::vector<InputRecord> Typed(const std::string& text) { return ActionRecords(text, fake::ScanCode); }

class HotkeyHandler : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::ResetEditor("int count = 0;", 6);
        g_editorCommand = fake::EditorEntry;
    }
    void TearDown() override {
        g_editorCommand = nullptr;
        ExpectEveryBlockFreed();
    }
    static bool ActionRan() { return !fake::TheEditor().commands.empty(); }
};

// Every combination of the five modifier bits, each with and without the
// lock and enhanced-key bits, which are ignored.
TEST_F(HotkeyHandler, AcceptsF7AloneOrWithCtrlAloneUnderEveryModifierCombination) {
    const std::uint32_t ignored[] = {
        0, os::kNumLockOn, os::kScrollLockOn, os::kCapsLockOn, os::kEnhancedKey, 0xFFFFFFE0};
    // Of the 32 combinations, these four: no modifier, right Ctrl, left Ctrl,
    // both Ctrl keys.
    const std::set<std::uint32_t> accepted = {0x00, 0x04, 0x08, 0x0C};
    for (std::uint32_t m = 0; m < 32; ++m) {
        for (std::uint32_t extra : ignored) {
            SetUp();
            const bool want = accepted.count(m) == 1;
            const InputRecord rec = F7Press(m | extra);
            ProcessEditorInput(rec);
            EXPECT_EQ(ActionRan(), want) << "modifiers 0x" << std::hex << m << " with 0x" << extra;
            EXPECT_EQ(fake::Console().countCalls, want ? 1 : 0);
            EXPECT_EQ(Queue(), want ? Typed("count") : std::vector<InputRecord>{});
        }
    }
}

TEST_F(HotkeyHandler, IgnoresEverythingElseWithoutTouchingTheConsoleOrTheEditor) {
    InputRecord release = F7Release();
    InputRecord f6 = KeyRecord(os::kVkF6, 0, true, 0, fake::ScanCode);
    InputRecord f8 = KeyRecord(os::kVkF8, 0, true, 0, fake::ScanCode);
    InputRecord letter = KeyRecord('A', 'a', true, 0, fake::ScanCode);
    InputRecord mouse = MouseRecord();
    mouse.virtualKeyCode = os::kVkF7;  // a mouse event whose bytes happen to read as F7
    mouse.keyDown = 1;
    InputRecord focus = F7Press();
    focus.eventType = os::kFocusEvent;
    for (const InputRecord& rec : {release, f6, f8, letter, mouse, focus}) {
        SetUp();
        ProcessEditorInput(rec);
        EXPECT_FALSE(ActionRan());
        const auto& q = fake::Console();
        EXPECT_EQ(q.handleCalls + q.countCalls + q.peekCalls + q.writeCalls + q.mapCalls, 0);
    }
}

TEST_F(HotkeyHandler, NeitherRepeatCountNorCharacterOfTheEventIsRead) {
    InputRecord rec = F7Press();
    rec.repeatCount = 9;
    rec.character = 'q';
    rec.keyDown = 1;  // any nonzero is a press
    for (int press = 0; press < 3; ++press) {
        fake::Console().events.clear();  // the host has read what the last press typed
        ProcessEditorInput(rec);
        EXPECT_EQ(Queue(), Typed("count")) << "every press runs the action anew";
    }
    // An auto-repeated press while the last press's keys are still unread,
    // where that press typed nothing (no word at the cursor) and only its
    // selection keys wait: their Home press counts, so nothing more is written.
    fake::ResetEditor("a  b", 2);
    fake::Console().events.clear();
    ProcessEditorInput(rec);
    ASSERT_EQ(Queue(), Typed(""));
    const int writes = fake::Console().writeCalls;
    ProcessEditorInput(rec);
    EXPECT_EQ(Queue(), Typed(""));
    EXPECT_EQ(fake::Console().writeCalls, writes);
}

class Actions : public HotkeyHandler, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(Actions, TypeTheChosenTextThenSelectIt) {
    const ActionCase& c = GetParam();
    fake::Editor& e = Arrange(c);

    const InputRecord rec = F7Press();
    ProcessEditorInput(rec);

    EXPECT_EQ(Queue(), Typed(c.typed));
    EXPECT_EQ(fake::Console().writeCalls, 1) << "the whole action in one write";
    EXPECT_EQ(e.lineNumbers, std::vector<std::int32_t>{-1});
    if (c.converted) {
        EXPECT_EQ(e.converted, std::vector<std::string>{*c.converted})
            << "command 10 gets exactly these bytes";
    }
    if (c.typed.empty()) return;
    ASSERT_EQ(e.converted.size(), 1u) << "one conversion of the chosen range";
    EXPECT_NE(e.convertBuffers[0], e.line.get()) << "the host's line is never handed back to be written";
}

INSTANTIATE_TEST_SUITE_P(Cases, Actions, ::testing::ValuesIn(ActionCases()), ByName());

struct FailureCase {
    const char* name;
    void (*arrange)(fake::Editor&);
};

class Failures : public HotkeyHandler, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(Failures, TypeNothingButStillSendTheSelectionKeys) {
    GetParam().arrange(fake::TheEditor());
    const InputRecord rec = F7Press(os::kLeftCtrlPressed);
    ProcessEditorInput(rec);
    EXPECT_EQ(Queue(), Typed(""));
    EXPECT_EQ(fake::Console().writeCalls, 1);
    EXPECT_EQ(fake::TheHeap().requests, 1) << "the peek buffer alone: the selection keys need no memory";
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Failures,
    ::testing::Values(FailureCase{"Unbound", [](fake::Editor&) { g_editorCommand = nullptr; }},
                      FailureCase{"StateFails", [](fake::Editor& e) { e.failState = true; }},
                      FailureCase{"LineFails", [](fake::Editor& e) { e.failLine = true; }},
                      FailureCase{"NullText", [](fake::Editor& e) { e.nullText = true; }},
                      // -1, the one negative length a careless host is most likely to report.
                      FailureCase{"LengthMinusOne",
                                  [](fake::Editor& e) {
                                      e.reportedLength = -1;
                                      e.curPos = 0;
                                  }},
                      FailureCase{"LengthMinusOneAndColumnMinusOne",
                                  [](fake::Editor& e) {
                                      e.reportedLength = -1;
                                      e.curPos = -1;
                                  }},
                      FailureCase{"LengthMinusOneWithSelection",
                                  [](fake::Editor& e) {
                                      e.reportedLength = -1;
                                      fake::SelectOnCursorLine(e, 0, 3);
                                  }},
                      FailureCase{"NegativeLengthIsAnEmptyLine",
                                  [](fake::Editor& e) {
                                      e.reportedLength = -5;
                                      e.curPos = 0;
                                  }},
                      FailureCase{"NegativeLengthAndNegativeColumn",
                                  [](fake::Editor& e) {
                                      e.reportedLength = -5;
                                      e.curPos = -7;
                                  }},
                      FailureCase{"NegativeLengthWithSelection",
                                  [](fake::Editor& e) {
                                      e.reportedLength = -5;
                                      e.blockType = 1;
                                      e.blockStartLine = e.curLine;
                                      e.selStart = 0;
                                      e.selEnd = 3;
                                  }}),
    ByName());

TEST_F(HotkeyHandler, ReportedLengthShorterThanTheTextBoundsTheWord) {
    fake::Editor& e = fake::ResetEditor("int count", 6);
    e.reportedLength = 6;  // "int co"
    const InputRecord rec = F7Press();
    ProcessEditorInput(rec);
    EXPECT_EQ(Queue(), Typed("co"));
}

TEST_F(HotkeyHandler, TheHostsConversionIsWhatGetsTyped) {
    fake::TheEditor().convert = [](std::uint8_t* text, std::int32_t length) {
        for (std::int32_t i = 0; i < length; ++i) {
            if (text[i] == 'o') text[i] = '0';
            if (text[i] == 'n') text[i] = '\t';  // converted into a control character: dropped
        }
    };
    const InputRecord rec = F7Press();
    ProcessEditorInput(rec);
    EXPECT_EQ(fake::TheEditor().converted, std::vector<std::string>{"count"}) << "the exact range";
    EXPECT_EQ(Queue(), Typed("c0ut"));
}

TEST_F(HotkeyHandler, TypeAheadMeansNothingAtAll) {
    const InputRecord x = KeyRecord('X', 'x', true, 0, fake::ScanCode);
    fake::Console().events.push_back(x);
    const InputRecord rec = F7Press();
    ProcessEditorInput(rec);
    EXPECT_FALSE(ActionRan());
    EXPECT_EQ(Queue(), std::vector<InputRecord>{x});
    EXPECT_EQ(fake::Console().writeCalls, 0);
}

TEST_F(HotkeyHandler, APendingF7ReleaseStaysAheadOfTheInjectedKeys) {
    fake::Console().events.push_back(F7Release());
    const InputRecord rec = F7Press();
    ProcessEditorInput(rec);
    EXPECT_EQ(Queue(), Concat({F7Release()}, Typed("count")));
}

// What one accepted F7 costs on a stable queue, for n typed bytes: one count,
// one peek, one write of 2n + 10 records, n + 7 key mappings, and three
// allocations (the peek buffer, the copy and the batch), all freed before it
// returns. However long the selection, n is at most 1,023: the cost stops
// growing there.
TEST_F(HotkeyHandler, AnAcceptedF7CostsOneCountOnePeekOneWriteAndThreeAllocations) {
    struct Cost {
        std::string line;
        std::int32_t selEnd;  // a stream selection [0, selEnd) when positive
        int n;
    };
    const Cost costs[] = {
        {"count = 1;", 0, 5},
        {"x = 1;", 0, 1},
        {"a_much_longer_identifier_than_usual = 1;", 0, 35},
        {std::string(1023, 'w'), 1023, 1023},
        {std::string(1 << 20, 'w'), 1 << 20, 1023},
    };
    for (const Cost& c : costs) {
        SetUp();
        fake::Editor& e = fake::ResetEditor(c.line, 0);
        if (c.selEnd > 0) {
            fake::SelectOnCursorLine(e, 0, c.selEnd);
        }
        fake::Console().events.push_back(F7Release());
        const InputRecord rec = F7Press();
        ProcessEditorInput(rec);

        const auto& q = fake::Console();
        EXPECT_EQ(q.countCalls, 1);
        EXPECT_EQ(q.peekCalls, 1);
        EXPECT_EQ(q.handleCalls, 2) << "once for the type-ahead check, once for the write";
        EXPECT_EQ(q.writeLengths, std::vector<sys::Dword>{static_cast<sys::Dword>(2 * c.n + 10)});
        EXPECT_EQ(q.mapCalls, c.n + 7);
        ASSERT_EQ(e.converted.size(), 1u);
        EXPECT_EQ(e.converted[0].size(), static_cast<std::size_t>(c.n)) << "one conversion of the copy";
        const auto& heap = fake::TheHeap();
        EXPECT_EQ(heap.allocations, 3) << "the peek buffer, the copy and the batch";
        EXPECT_EQ(heap.frees, 3);
        const std::size_t record = sizeof(InputRecord);
        EXPECT_EQ(heap.bytesGranted, 2 * record + static_cast<std::size_t>(c.n) +
                                         (2 * static_cast<std::size_t>(c.n) + 10) * record)
            << "two peek records, the copy, the batch";
    }
}

TEST_F(HotkeyHandler, ARejectedEventMakesNoAllocation) {
    const InputRecord rec = F7Press(os::kShiftPressed);
    ProcessEditorInput(rec);
    EXPECT_EQ(fake::TheHeap().requests, 0);
}

// No memory for the copy (request 2) or for the batch (request 3): nothing is
// typed, and the selection keys still go out, in one write. A long range
// asks no more of the heap than what the prompt holds.
TEST_F(HotkeyHandler, NoMemoryForTheCopyOrTheBatchTypesNothingButStillSelects) {
    const std::int32_t selections[] = {0, 100000};  // a stream selection [0, n) when positive
    for (std::int32_t selection : selections) {
        for (int failing : {2, 3}) {
            SetUp();
            fake::Editor& e =
                fake::ResetEditor(selection > 0 ? Letters(static_cast<std::size_t>(selection))
                                                : "a_word_longer_than_the_peek_buffer_of_one_record",
                                  3);
            if (selection > 0) {
                fake::SelectOnCursorLine(e, 0, selection);
            }
            fake::TheHeap().failRequest = failing;
            const InputRecord rec = F7Press();
            ProcessEditorInput(rec);
            EXPECT_EQ(fake::TheHeap().requests, failing) << failing;
            EXPECT_LE(fake::TheHeap().largestRequest, kMaxActionRecords * sizeof(InputRecord)) << failing;
            EXPECT_EQ(Queue(), Typed("")) << failing;
            EXPECT_EQ(fake::Console().writeCalls, 1) << failing;
        }
    }
}

}  // namespace
}  // namespace tarnwick
