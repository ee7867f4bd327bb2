#include "console/type_ahead.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/alloc_counter.h"
#include "support/by_name.h"
#include "support/fake_sys.h"
#include "support/key_records.h"

namespace tarnwick {
namespace {

InputRecord Press(std::uint16_t vk, std::uint8_t ch) { return KeyRecord(vk, ch, true, 0, fake::ScanCode); }
InputRecord Release(std::uint16_t vk, std::uint8_t ch) { return KeyRecord(vk, ch, false, 0, fake::ScanCode); }

class TypeAhead : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
    void TearDown() override {
        alloc::FailAll(false);
        alloc::FailAbove(0);
    }
};

struct QueueCase {
    const char* name;
    std::vector<InputRecord> queue;
    bool pending;
};

class TypeAheadQueues : public TypeAhead, public ::testing::WithParamInterface<QueueCase> {};

TEST_P(TypeAheadQueues, SeesOnlyKeyPressesThatCarryACharacter) {
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

InputRecord HighByteOnly() {
    InputRecord r = Press(0x41, 0);
    r.characterHigh = 0x41;
    return r;
}

InputRecord FocusEvent() {
    InputRecord r{};
    r.eventType = 0x10;
    r.keyDown = 1;
    r.character = 'x';
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    Queues, TypeAheadQueues,
    ::testing::Values(
        QueueCase{"Empty", {}, false}, QueueCase{"F7Release", {Release(kVkF7, 0)}, false},
        QueueCase{"CharacterPress", {Press('X', 'x')}, true}, QueueCase{"F7Press", {Press(kVkF7, 0)}, false},
        QueueCase{"MouseThenCharacterPress", {MouseRecord(), Press('A', 0x41)}, true},
        QueueCase{"CharacterRelease", {Release('X', 'x')}, false},
        QueueCase{"Enter", {Press(0x0D, '\r')}, true}, QueueCase{"Esc", {Press(0x1B, 0x1B)}, true},
        QueueCase{"Tab", {Press(0x09, '\t')}, true}, QueueCase{"Backspace", {Press(0x08, 0x08)}, true},
        QueueCase{"CtrlLetter", {KeyRecord('C', 0x03, true, kLeftCtrl, fake::ScanCode)}, true},
        QueueCase{"HighByteOnly", {HighByteOnly()}, false},
        QueueCase{"MouseAndFocusOnly", {MouseRecord(), FocusEvent()}, false},
        QueueCase{
            "ShiftCtrlArrows", {Press(0x10, 0), Press(0x11, 0), Press(0x25, 0), Release(0x25, 0)}, false},
        QueueCase{"CharacterPressLast",
                  {Release(kVkF7, 0), Press(0x10, 0), MouseRecord(), Release('X', 'x'), Press(0xC0, 0xE9)},
                  true}),
    ByName());

struct FaultCase {
    const char* name;
    int failCount;  // which count fails (0: none)
    int failPeek;   // which peek fails (0: none)
    int arrivals;   // events the user types after each of the first `arrivals` counts
    bool pending;
    int counts;
    int peeks;
};

class TypeAheadFaults : public TypeAhead, public ::testing::WithParamInterface<FaultCase> {};

// The queue starts with an F7 release; each arrival is one character press,
// typed between a count and the peek that follows it.
TEST_P(TypeAheadFaults, ScansTheLastGoodSnapshot) {
    const FaultCase& c = GetParam();
    auto& q = fake::Console();
    q.events.push_back(Release(kVkF7, 0));
    q.failCountCall = c.failCount;
    q.failPeekCall = c.failPeek;
    q.afterCount = [&q, c](int call) {
        if (call <= c.arrivals) q.events.push_back(Press('X', 'x'));
    };

    EXPECT_EQ(HasPendingTypedKeys(), c.pending);
    EXPECT_EQ(q.countCalls, c.counts);
    EXPECT_EQ(q.peekCalls, c.peeks);
}

INSTANTIATE_TEST_SUITE_P(Faults, TypeAheadFaults,
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
                                           FaultCase{"SecondPeekFails", 0, 2, 1, true, 2, 2}),
                         ByName());

TEST_F(TypeAhead, SecondPeekFailingScansOnlyWhatTheFirstPeekSaw) {
    // F7 release queued; after the first count a release arrives (the first
    // peek sees it and fills the buffer); after the second count a character
    // press arrives, but the second peek fails, so it is never seen.
    auto& q = fake::Console();
    q.events.push_back(Release(kVkF7, 0));
    q.failPeekCall = 2;
    q.afterCount = [&q](int call) { q.events.push_back(call == 1 ? Release('X', 'x') : Press('X', 'x')); };
    EXPECT_FALSE(HasPendingTypedKeys());
}

TEST_F(TypeAhead, OnAStableQueueOneCountOnePeekOneBufferFreedBeforeReturn) {
    fake::Console().events.assign(3, Release(kVkF7, 0));
    const alloc::Counters before = alloc::Now();
    EXPECT_FALSE(HasPendingTypedKeys());
    const alloc::Counters after = alloc::Now();
    EXPECT_EQ(after.allocations - before.allocations, 1);
    EXPECT_EQ(after.frees - before.frees, 1);
    EXPECT_EQ(fake::Console().countCalls, 1);
    EXPECT_EQ(fake::Console().peekCalls, 1);
}

TEST_F(TypeAhead, NoBufferMeansTypedAhead) {
    alloc::FailAll(true);
    const bool pending = HasPendingTypedKeys();
    alloc::FailAll(false);
    EXPECT_TRUE(pending) << "typing nothing beats typing out of order";
    EXPECT_EQ(fake::Console().peekCalls, 0);
}

// A console that claims more events than any buffer can hold: the buffer is
// never made smaller than the peek is told to fill, and the answer is "typed
// ahead".
TEST_F(TypeAhead, HugeCountsNeverPeekIntoATooSmallBuffer) {
    const sys::Dword huge[] = {0xFFFFFFFFu, 0xFFFFFFFEu, 0x80000000u, 0x0CCCCCCDu, 0x7FFFFFFFu};
    for (sys::Dword n : huge) {
        fake::Reset();
        alloc::FailAbove(std::size_t{1} << 26);  // as if memory ran out at 64 MiB
        fake::Console().claimedCount = n;
        EXPECT_TRUE(HasPendingTypedKeys()) << n;
        EXPECT_EQ(fake::Console().peekCalls, 0) << n;
        alloc::FailAbove(0);
    }
}

}  // namespace
}  // namespace tarnwick
