#include "console/type_ahead.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/by_name.h"
#include "support/defined_numbers.h"
#include "support/fake_sys.h"
#include "support/heap_checks.h"
#include "support/key_records.h"
#include "support/reference_rules.h"

namespace tarnwick {
namespace {

InputRecord Press(std::uint16_t vk, std::uint8_t ch) { return KeyRecord(vk, ch, true, 0, fake::ScanCode); }
InputRecord Release(std::uint16_t vk, std::uint8_t ch) { return KeyRecord(vk, ch, false, 0, fake::ScanCode); }

class TypeAhead : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
    void TearDown() override { ExpectEveryBlockFreed(); }
};

struct QueueCase {
    std::string name;
    std::vector<InputRecord> queue;
    bool pending;
    friend void PrintTo(const QueueCase& c, std::ostream* os) { *os << c.name; }
};

class TypeAheadQueues : public TypeAhead, public ::testing::WithParamInterface<QueueCase> {};

TEST_P(TypeAheadQueues, SeesTheUsersWaitingInput) {
    const QueueCase& c = GetParam();
    fake::Console().events.assign(c.queue.begin(), c.queue.end());

    EXPECT_EQ(HasPendingTypedKeys(), c.pending);

    const auto& q = fake::Console();
    EXPECT_EQ(std::vector<InputRecord>(q.events.begin(), q.events.end()), c.queue) << "nothing consumed";
    EXPECT_EQ(q.countCalls, 1);
    ASSERT_EQ(q.peekCalls, 1);
    EXPECT_EQ(q.peekLengths[0], c.queue.size() + 1) << "the buffer is one record larger than the count";
    EXPECT_EQ(q.writeCalls, 0);
}

// A Shift press whose character byte is 0 but whose next byte (the high byte
// of the wide character) is not: that next byte is never read.
InputRecord HighByteOnly() {
    InputRecord r = Press(0x10, 0);
    r.characterHigh = 0x41;
    return r;
}

InputRecord FocusEvent() {
    InputRecord r{};
    r.eventType = os::kFocusEvent;
    r.keyDown = 1;
    r.character = 'x';
    return r;
}

InputRecord Modified(std::uint16_t vk, std::uint32_t state, bool down = true) {
    return KeyRecord(vk, 0, down, state, fake::ScanCode);
}

std::vector<QueueCase> QueueCases() {
    std::vector<QueueCase> cases = {
        {"Empty", {}, false},
        {"F7Release", {Release(os::kVkF7, 0)}, false},
        {"CharacterPress", {Press('X', 'x')}, true},
        {"MouseThenCharacterPress", {MouseRecord(), Press('A', 0x41)}, true},
        {"CharacterRelease", {Release('X', 'x')}, false},
        {"Enter", {Press(0x0D, '\r')}, true},
        {"Tab", {Press(0x09, '\t')}, true},
        {"Backspace", {Press(0x08, 0x08)}, true},
        {"CtrlLetter", {KeyRecord('C', 0x03, true, os::kLeftCtrlPressed, fake::ScanCode)}, true},
        // A character counts whatever key carries it, a modifier's included.
        {"ModifierPressCarryingACharacter", {Press(0x12, 0xE9)}, true},
        {"ShiftWithOnlyTheHighByteSet", {HighByteOnly()}, false},
        {"MouseAndFocusOnly", {MouseRecord(), FocusEvent()}, false},
        {"CharacterPressLast",
         {Release(os::kVkF7, 0), Press(0x10, 0), MouseRecord(), Release('X', 'x'), Press(0xC0, 0xE9)},
         true},
        // Keys without a character that act on a prompt: each would be
        // overtaken by the typed word.
        {"Left", {Press(0x25, 0)}, true},
        {"Down", {Press(0x28, 0)}, true},
        {"Delete", {Press(0x2E, 0)}, true},
        {"F10", {Press(os::kVkF10, 0)}, true},
        {"EscWithItsCharacter", {Press(0x1B, 0x1B)}, true},
        {"EscWithoutACharacter", {Press(0x1B, 0)}, true},
        {"KeyCodeZero", {Press(0, 0)}, true},
        {"F7Press", {Press(os::kVkF7, 0)}, true},
        {"CtrlF7", {Modified(os::kVkF7, os::kLeftCtrlPressed)}, true},
        {"ShiftF7", {Modified(os::kVkF7, os::kShiftPressed)}, true},
        {"AltF7", {Modified(os::kVkF7, os::kLeftAltPressed)}, true},
        {"ShiftAndCtrlThenAnArrow", {Press(0x10, 0), Press(0x11, 0), Press(0x25, 0), Release(0x25, 0)}, true},
        // What an earlier F7 typed, still unread: its Home press counts.
        {"SelectionKeysOfAnEarlierF7", SelectionRecords(fake::ScanCode), true},
        // Releases never count.
        {"ReleasesOfThoseKeys",
         {Release(0x25, 0), Release(0x28, 0), Release(0x2E, 0), Release(os::kVkF10, 0), Release(0x1B, 0x1B),
          Release(0, 0), Modified(os::kVkF7, os::kLeftCtrlPressed, false),
          Modified(os::kVkF7, os::kShiftPressed, false), Modified(os::kVkF7, os::kLeftAltPressed, false)},
         false},
        // The mouse: buttons and the wheel count, a plain move does not.
        {"MouseButtonPress", {MouseRecord(os::kLeftButtonPressed, 0)}, true},
        {"MouseRightButtonPress", {MouseRecord(os::kRightButtonPressed, 0)}, true},
        {"MouseDoubleClick", {MouseRecord(os::kLeftButtonPressed, os::kDoubleClick)}, true},
        {"MouseDrag", {MouseRecord(os::kLeftButtonPressed, os::kMouseMoved)}, true},
        {"MouseWheel", {MouseRecord(0xFF880000u, os::kMouseWheeled)}, true},
        {"MouseHorizontalWheel", {MouseRecord(0x00780000u, os::kMouseHWheeled)}, true},
        {"MouseWheelWithNoDeltaBits", {MouseRecord(0, os::kMouseWheeled)}, true},
        {"MouseHorizontalWheelWithNoDeltaBits", {MouseRecord(0, os::kMouseHWheeled)}, true},
        {"MouseMoveWithoutAButton", {MouseRecord(0, os::kMouseMoved)}, false},
        {"MouseButtonsReleased", {MouseRecord(0, 0)}, false},
    };
    std::vector<InputRecord> modifiers;
    for (std::uint16_t vk : reference::kModifierAndLockKeys) {
        char name[32];
        std::snprintf(name, sizeof name, "ModifierOrLockKey%02X", vk);
        cases.push_back({name, {Press(vk, 0), Release(vk, 0)}, false});
        modifiers.push_back(Press(vk, 0));
    }
    // A long queue that does not count, then one event that does.
    std::vector<InputRecord> longQueue;
    for (int i = 0; i < 40; ++i) {
        longQueue.insert(longQueue.end(), modifiers.begin(), modifiers.end());
        longQueue.push_back(MouseRecord(0, os::kMouseMoved));
        longQueue.push_back(FocusEvent());
        longQueue.push_back(Release('X', 'x'));
    }
    cases.push_back({"LongQuietQueue", longQueue, false});
    longQueue.push_back(Press(os::kVkF10, 0));
    cases.push_back({"LongQuietQueueThenF10", longQueue, true});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Queues, TypeAheadQueues, ::testing::ValuesIn(QueueCases()), ByName());

struct FaultCase {
    const char* name;
    int failCount;  // which count fails (0: none)
    int failPeek;   // which peek fails (0: none)
    int arrivals;   // events the user types after each of the first `arrivals` counts
    bool pending;
    int counts;
    int peeks;
    sys::Dword overstated = 0;  // records each peek claims beyond those it copied
};

class TypeAheadFaults : public TypeAhead, public ::testing::WithParamInterface<FaultCase> {};

// The queue starts with an F7 release; each arrival is one character press,
// typed between a count and the peek that follows it.
TEST_P(TypeAheadFaults, ScansTheLastGoodSnapshot) {
    const FaultCase& c = GetParam();
    auto& q = fake::Console();
    q.events.push_back(Release(os::kVkF7, 0));
    q.failCountCall = c.failCount;
    q.failPeekCall = c.failPeek;
    q.peekOverstates = c.overstated;
    q.afterCount = [&q, c](int call) {
        if (call <= c.arrivals) q.events.push_back(Press('X', 'x'));
    };

    EXPECT_EQ(HasPendingTypedKeys(), c.pending);
    EXPECT_EQ(q.countCalls, c.counts);
    EXPECT_EQ(q.peekCalls, c.peeks);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, TypeAheadFaults,
    ::testing::Values(FaultCase{"FirstCountFails", 1, 0, 0, false, 1, 0},
                      FaultCase{"FirstPeekFails", 0, 1, 0, false, 1, 1},
                      // The first peek fills the buffer, so the queue is counted again
                      // and the second peek sees the arrival.
                      FaultCase{"GrowingQueue", 0, 0, 1, true, 2, 2},
                      FaultCase{"GrowingTwice", 0, 0, 2, true, 3, 3},
                      // The second count fails: the first snapshot (which already holds
                      // the arrival) is scanned.
                      FaultCase{"SecondCountFails", 2, 0, 1, true, 2, 1},
                      // The second peek fails: the first peek's records are scanned.
                      FaultCase{"SecondPeekFails", 0, 2, 1, true, 2, 2},
                      // A console that claims to have filled the buffer with the F7
                      // release alone, then fails to count: the record it never wrote
                      // is scanned as the zeros the buffer was made with, not as what
                      // the heap held before.
                      FaultCase{"PeekClaimsARecordItNeverWrote", 2, 0, 0, false, 2, 1, 1},
                      // ... and one that claims far more than the buffer holds: only
                      // the buffer is scanned.
                      FaultCase{"PeekClaimsMoreThanTheBufferHolds", 2, 0, 0, false, 2, 1, 100}),
    ByName());

TEST_F(TypeAhead, SecondPeekFailingScansOnlyWhatTheFirstPeekSaw) {
    // F7 release queued; after the first count a release arrives (the first
    // peek sees it and fills the buffer); after the second count a character
    // press arrives, but the second peek fails, so it is never seen.
    auto& q = fake::Console();
    q.events.push_back(Release(os::kVkF7, 0));
    q.failPeekCall = 2;
    q.afterCount = [&q](int call) { q.events.push_back(call == 1 ? Release('X', 'x') : Press('X', 'x')); };
    EXPECT_FALSE(HasPendingTypedKeys());
}

TEST_F(TypeAhead, OnAStableQueueOneCountOnePeekOneBufferFreedBeforeReturn) {
    fake::Console().events.assign(3, Release(os::kVkF7, 0));
    EXPECT_FALSE(HasPendingTypedKeys());
    EXPECT_EQ(fake::TheHeap().allocations, 1);
    EXPECT_EQ(fake::TheHeap().frees, 1);
    EXPECT_EQ(fake::Console().countCalls, 1);
    EXPECT_EQ(fake::Console().peekCalls, 1);
}

// The buffer grows with the queue, keeping what the last peek saw: when the
// next peek fails, those records are what is scanned.
TEST_F(TypeAhead, AGrowingQueueGrowsOneBufferAndKeepsItsRecords) {
    auto& q = fake::Console();
    q.events.push_back(Release(os::kVkF7, 0));
    q.afterCount = [&q](int call) {
        if (call == 1) q.events.push_back(Press('X', 'x'));
    };
    q.failPeekCall = 2;
    EXPECT_TRUE(HasPendingTypedKeys()) << "the first peek's 'x', kept through the growth";
    EXPECT_EQ(fake::TheHeap().allocations, 2) << "the buffer, then the grown buffer";
    EXPECT_EQ(fake::TheHeap().frees, 2);
}

// No memory for the buffer, at first or when it must grow: typing nothing
// beats typing out of order.
TEST_F(TypeAhead, NoBufferMeansTypedAhead) {
    for (int failing : {1, 2}) {
        fake::Reset();
        auto& q = fake::Console();
        q.events.push_back(Release(os::kVkF7, 0));
        q.afterCount = [&q](int call) {
            if (call == 1) q.events.push_back(Release('X', 'x'));
        };
        fake::TheHeap().failRequest = failing;
        EXPECT_TRUE(HasPendingTypedKeys()) << "request " << failing;
        EXPECT_EQ(q.peekCalls, failing - 1) << "request " << failing;
        EXPECT_TRUE(fake::TheHeap().live.empty()) << "request " << failing;
    }
}

// A console that claims more events than any buffer can hold: the buffer is
// never made smaller than the peek is told to fill, and the answer is "typed
// ahead".
TEST_F(TypeAhead, HugeCountsNeverPeekIntoATooSmallBuffer) {
    const sys::Dword huge[] = {0xFFFFFFFFu, 0xFFFFFFFEu, 0x80000000u, 0x0CCCCCCDu, 0x7FFFFFFFu};
    for (sys::Dword n : huge) {
        fake::Reset();
        fake::TheHeap().failAbove = std::size_t{1} << 26;  // as if memory ran out at 64 MiB
        fake::Console().claimedCount = n;
        EXPECT_TRUE(HasPendingTypedKeys()) << n;
        EXPECT_EQ(fake::Console().peekCalls, 0) << n;
    }
}

}  // namespace
}  // namespace tarnwick
