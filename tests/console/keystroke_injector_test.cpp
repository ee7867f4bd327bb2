#include "console/keystroke_injector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/by_name.h"
#include "support/byte_strings.h"
#include "support/fake_sys.h"
#include "support/heap_checks.h"
#include "support/key_records.h"

namespace tarnwick {
namespace {

std::vector<InputRecord> Queue() { return {fake::Console().events.begin(), fake::Console().events.end()}; }

class KeystrokeInjector : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
    void TearDown() override { ExpectEveryBlockFreed(); }
};

struct TypeCase {
    const char* name;
    std::string text;
    std::string typed;  // the bytes that must come out, in order
};

class TypeTextTable : public KeystrokeInjector, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(TypeTextTable, TypesEveryByteFromSpaceUpThenDropsTheCompletionAndSelectsInOneWrite) {
    const TypeCase& c = GetParam();
    TypeIntoPrompt(Bytes(c.text));

    EXPECT_EQ(Queue(), ActionRecords(c.typed, fake::ScanCode));
    const auto& q = fake::Console();
    const auto n = static_cast<int>(c.typed.size());
    const int drop = n > 0 ? 4 : 0;  // Ctrl+K only after typed text
    EXPECT_EQ(q.handleCalls, 1) << "the handle is fetched once, even for an empty string";
    EXPECT_EQ(q.writeLengths, std::vector<sys::Dword>{static_cast<sys::Dword>(2 * n + drop + 6)})
        << "one write holds the whole action";
    EXPECT_EQ(q.mapCalls, n + (n > 0 ? 3 : 0) + 4) << "one mapping per injection";
    for (sys::Handle h : q.handlesUsed) EXPECT_EQ(h, fake::ConsoleHandle());
}

INSTANTIATE_TEST_SUITE_P(
    Strings, TypeTextTable,
    ::testing::Values(
        TypeCase{"ab", "ab", "ab"}, TypeCase{"TabBetweenLetters", "a\tb", "ab"}, TypeCase{"Empty", "", ""},
        TypeCase{"OnlyControlCharacters", std::string("\t\r\n\x1F\0", 5), ""},
        TypeCase{"NulDelAndHighBytes", std::string("x\0\x7F\xE9 ~", 6), "x\x7F\xE9 ~"},
        // Only the first 1,023 bytes, what the prompt holds, are typed.
        TypeCase{"AsLongAsThePromptHolds", std::string(1023, 'x'), std::string(1023, 'x')},
        TypeCase{"OneByteMoreThanThePromptHolds", std::string(1023, 'x') + "y", std::string(1023, 'x')},
        TypeCase{"FarLongerThanThePromptHolds", std::string(100000, 'z'), std::string(1023, 'z')},
        // The cut counts bytes, not typed characters.
        TypeCase{"TabsCountTowardsTheCut", std::string(100, '\t') + std::string(1000, 'w'),
                 std::string(923, 'w')},
        TypeCase{"EveryByteFromSpaceUp",
                 [] {
                     std::string all;
                     for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
                     return all;
                 }(),
                 [] {
                     std::string all;
                     for (int c = 0x20; c < 256; ++c) all += static_cast<char>(c);
                     return all;
                 }()}),
    ByName());

TEST_F(KeystrokeInjector, SelectPromptLineWritesHomeThenShiftEnd) {
    TypeIntoPrompt(ByteString{});

    EXPECT_EQ(Queue(), SelectionRecords(fake::ScanCode));
    EXPECT_EQ(fake::Console().handleCalls, 1);
    EXPECT_EQ(fake::Console().mapCalls, 4) << "one mapping per injection";
    EXPECT_EQ(fake::Console().writeLengths, std::vector<sys::Dword>{6}) << "one write";
    EXPECT_EQ(fake::TheHeap().requests, 0) << "nothing typed: no allocation";
}

TEST_F(KeystrokeInjector, DropAppendedCompletionIsCtrlKBetweenTheTextAndTheSelectionKeys) {
    TypeIntoPrompt(Bytes("a"));

    const std::vector<InputRecord> got = Queue();
    ASSERT_EQ(got.size(), 2u + 4u + 6u);
    EXPECT_EQ(std::vector<InputRecord>(got.begin() + 2, got.begin() + 6),
              DropCompletionRecords(fake::ScanCode));
}

struct ModeCase {
    std::uint32_t mode;
    std::uint32_t room;       // records the batch can still take
    std::vector<bool> downs;  // the events appended, in order
};

class InjectKeyModes : public KeystrokeInjector, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(InjectKeyModes, AppendsThePressBeforeTheReleaseWhileThereIsRoom) {
    InputRecord records[2] = {};
    KeyBatch batch{records, GetParam().room, 0};
    InjectKey(batch, 0x41, 'A', 0x80000123u, GetParam().mode);
    std::vector<InputRecord> want;
    for (bool down : GetParam().downs)
        want.push_back(KeyRecord(0x41, 'A', down, 0x80000123u, fake::ScanCode));
    EXPECT_EQ(std::vector<InputRecord>(records, records + batch.count), want)
        << "the state is copied unchanged";
    EXPECT_EQ(fake::Console().mapCalls, 1);
    EXPECT_EQ(fake::Console().writeCalls, 0) << "appending writes nothing";
}

INSTANTIATE_TEST_SUITE_P(Modes, InjectKeyModes,
                         ::testing::Values(ModeCase{0, 2, {}}, ModeCase{1, 2, {true}},
                                           ModeCase{2, 2, {false}}, ModeCase{3, 2, {true, false}},
                                           ModeCase{4, 2, {}}, ModeCase{0xFFFFFFFF, 2, {true, false}},
                                           // A full batch takes no more.
                                           ModeCase{3, 1, {true}}, ModeCase{3, 0, {}}));

// The write is refused: it was the whole action, and it is not repeated, in
// whole or in part; the next action is whole again.
TEST_F(KeystrokeInjector, ARefusedWriteIsMadeOnceAndNotRepeated) {
    fake::Console().failWrites = true;
    TypeIntoPrompt(Bytes("abc"));
    EXPECT_EQ(fake::Console().writeLengths, std::vector<sys::Dword>{2 * 3 + 4 + 6});
    TypeIntoPrompt(ByteString{});
    EXPECT_EQ(fake::Console().writeLengths, (std::vector<sys::Dword>{2 * 3 + 4 + 6, 6}));
}

struct NothingTypedCase {
    const char* name;
    std::int32_t length;  // what the string claims; only its first 3 bytes exist
    bool noMemory;        // the batch's memory cannot be had
    int batchRequests;    // heap requests the batch makes
};

class NothingTypedTable : public KeystrokeInjector, public ::testing::WithParamInterface<NothingTypedCase> {};

TEST_P(NothingTypedTable, SendsTheSelectionKeysAloneInOneWrite) {
    const NothingTypedCase& c = GetParam();
    ByteString s = Bytes("abc");
    s.length = c.length;  // never read when nothing is typed
    auto& heap = fake::TheHeap();
    const int before = heap.requests;
    heap.failAbove = c.noMemory ? 1 : std::size_t{1} << 20;  // no row may get a large block
    TypeIntoPrompt(s);
    s.length = 3;

    EXPECT_EQ(Queue(), SelectionRecords(fake::ScanCode));
    EXPECT_EQ(fake::Console().writeLengths, std::vector<sys::Dword>{6});
    EXPECT_EQ(heap.requests - before, c.batchRequests);
    EXPECT_LE(heap.largestRequest, kMaxActionRecords * sizeof(InputRecord))
        << "however long the string, the batch is one action's at most";
}

INSTANTIATE_TEST_SUITE_P(
    Strings, NothingTypedTable,
    ::testing::Values(NothingTypedCase{"NoMemoryForTheBatch", 3, true, 1},
                      NothingTypedCase{"AsLongAsThePromptHoldsWithNoMemory", kMaxPromptBytes, true, 1},
                      // However long the string, the batch asked for holds one
                      // action's records at most.
                      NothingTypedCase{"LongerThanThePromptHoldsWithNoMemory", kMaxPromptBytes + 1, true, 1},
                      NothingTypedCase{"LongestInt32WithNoMemory", INT32_MAX, true, 1},
                      NothingTypedCase{"Empty", 0, false, 0},
                      NothingTypedCase{"NegativeLength", -1, false, 0}),
    ByName());

}  // namespace
}  // namespace tarnwick
