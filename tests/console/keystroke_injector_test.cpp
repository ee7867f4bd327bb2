#include "console/keystroke_injector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/by_name.h"
#include "support/byte_strings.h"
#include "support/fake_sys.h"
#include "support/key_records.h"

namespace tarnwick {
namespace {

std::vector<InputRecord> Queue() { return {fake::Console().events.begin(), fake::Console().events.end()}; }

class KeystrokeInjector : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
};

struct TypeCase {
    const char* name;
    std::string text;
    std::string typed;  // the bytes that must come out, in order
};

class TypeTextTable : public KeystrokeInjector, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(TypeTextTable, TypesEveryByteFromSpaceUpAsPressAndRelease) {
    const TypeCase& c = GetParam();
    TypeText(Bytes(c.text));

    EXPECT_EQ(Queue(), TypedRecords(c.typed, fake::ScanCode));
    const auto& q = fake::Console();
    EXPECT_EQ(q.handleCalls, 1) << "the handle is fetched once, even for an empty string";
    EXPECT_EQ(q.writeCalls, static_cast<int>(2 * c.typed.size()));
    EXPECT_EQ(q.mapCalls, static_cast<int>(c.typed.size())) << "one mapping per typed character";
    for (sys::Dword n : q.writeLengths) EXPECT_EQ(n, 1u) << "one record per write";
    for (sys::Handle h : q.handlesUsed) EXPECT_EQ(h, fake::ConsoleHandle());
}

INSTANTIATE_TEST_SUITE_P(
    Strings, TypeTextTable,
    ::testing::Values(TypeCase{"ab", "ab", "ab"}, TypeCase{"TabBetweenLetters", "a\tb", "ab"},
                      TypeCase{"Empty", "", ""},
                      TypeCase{"OnlyControlCharacters", std::string("\t\r\n\x1F\0", 5), ""},
                      TypeCase{"NulDelAndHighBytes", std::string("x\0\x7F\xE9 ~", 6), "x\x7F\xE9 ~"},
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
    SelectPromptLine();

    const std::vector<InputRecord> got = Queue();
    ASSERT_EQ(got, SelectionRecords(fake::ScanCode));
    // The same, as the plain columns of the sequence.
    const std::int32_t down[] = {-1, 0, -1, -1, 0, 0};
    const std::uint16_t vk[] = {0x24, 0x24, 0x10, 0x23, 0x23, 0x10};
    const std::uint32_t state[] = {0, 0, 0x10, 0x10, 0x10, 0};
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].keyDown, down[i]) << i;
        EXPECT_EQ(got[i].virtualKeyCode, vk[i]) << i;
        EXPECT_EQ(got[i].controlKeyState, state[i]) << i;
        EXPECT_EQ(got[i].character, 0) << i;
    }
    EXPECT_EQ(fake::Console().handleCalls, 1);
    EXPECT_EQ(fake::Console().mapCalls, 4) << "one mapping per injection";
    EXPECT_EQ(fake::Console().writeLengths, std::vector<sys::Dword>(6, 1));
}

struct ModeCase {
    std::uint32_t mode;
    std::vector<bool> downs;  // the events written, in order
};

class InjectKeyModes : public KeystrokeInjector, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(InjectKeyModes, WritesThePressBeforeTheRelease) {
    InjectKey(fake::ConsoleHandle(), 0x41, 'A', 0x80000123u, GetParam().mode);
    std::vector<InputRecord> want;
    for (bool down : GetParam().downs)
        want.push_back(KeyRecord(0x41, 'A', down, 0x80000123u, fake::ScanCode));
    EXPECT_EQ(Queue(), want) << "the state is copied unchanged";
    EXPECT_EQ(fake::Console().mapCalls, 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, InjectKeyModes,
                         ::testing::Values(ModeCase{0, {}}, ModeCase{1, {true}}, ModeCase{2, {false}},
                                           ModeCase{3, {true, false}}, ModeCase{4, {}},
                                           ModeCase{0xFFFFFFFF, {true, false}}));

TEST_F(KeystrokeInjector, FailedWritesAreIgnoredAndTheRestStillWritten) {
    fake::Console().failWrites = true;
    TypeText(Bytes("abc"));
    SelectPromptLine();
    EXPECT_EQ(fake::Console().writeCalls, 6 + 6);
    EXPECT_TRUE(fake::Console().events.empty());
}

}  // namespace
}  // namespace tarnwick
