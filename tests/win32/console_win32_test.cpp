// The injector and the type-ahead detector against the real console input
// queue, read back with ReadConsoleInputA, scan codes from the real keyboard
// layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/keystroke_injector.h"
#include "console/type_ahead.h"
#include "support/byte_strings.h"
#include "support/defined_numbers.h"
#include "support/key_records.h"
#include "win32/console_queue.h"

namespace tarnwick {
namespace {

using win32::RealScanCode;

class RealConsole : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FlushConsoleInputBuffer(win32::ConsoleInput())) << "no console: " << GetLastError();
        ASSERT_EQ(win32::PendingEvents(), 0u);
    }
    void TearDown() override { FlushConsoleInputBuffer(win32::ConsoleInput()); }
};

TEST_F(RealConsole, TypedTextReadsBackRecordForRecord) {
    struct Typing {
        std::string text;
        std::string typed;
    };
    const Typing cases[] = {
        {"ab", "ab"},
        {"a\tb", "ab"},
        {std::string("x\0\x7F\xE9 ~", 6), "x\x7F\xE9 ~"},
        {"", ""},
        {"\t\r\n", ""},
        // The most one action types, in one write of 2,056 records.
        {std::string(3000, 'w'), std::string(1023, 'w')},
    };
    for (const Typing& c : cases) {
        TypeIntoPrompt(Bytes(c.text));
        EXPECT_EQ(win32::ReadAll(), ActionRecords(c.typed, RealScanCode))
            << "text of " << c.text.size() << " bytes";
    }
}

TEST_F(RealConsole, SelectPromptLineReadsBackAsHomeShiftEnd) {
    TypeIntoPrompt(ByteString{});
    const std::vector<InputRecord> got = win32::ReadAll();
    EXPECT_EQ(got, SelectionRecords(RealScanCode));
    ASSERT_EQ(got.size(), 6u);
    EXPECT_NE(got[0].virtualScanCode, 0) << "Home has a scan code on a real keyboard layout";
}

TEST_F(RealConsole, TheActionsKeysGoBehindWhatWaitsInTheirOrder) {
    const InputRecord release = KeyRecord(os::kVkF7, 0, false, 0, RealScanCode);
    win32::Queue(release);
    TypeIntoPrompt(Bytes("count"));
    const std::vector<InputRecord> got = win32::ReadAll();
    EXPECT_EQ(got, Concat({release}, ActionRecords("count", RealScanCode)));
    ASSERT_EQ(got.size(), 1u + 10u + 4u + 6u);
    EXPECT_NE(got[12].virtualScanCode, 0) << "K has a scan code on a real keyboard layout";
}

struct Pending {
    const char* name;
    std::vector<InputRecord> queue;
    bool pending;
};

TEST_F(RealConsole, TypeAheadSeesTheUsersRealQueuedInput) {
    const Pending cases[] = {
        {"empty", {}, false},
        {"x press", {KeyRecord('X', 'x', true, 0, RealScanCode)}, true},
        {"F7 press", {KeyRecord(os::kVkF7, 0, true, 0, RealScanCode)}, true},
        {"Shift press", {KeyRecord(0x10, 0, true, os::kShiftPressed, RealScanCode)}, false},
        {"mouse wheel", {MouseRecord(0xFF880000u, os::kMouseWheeled)}, true},
        {"mouse move", {MouseRecord(0, os::kMouseMoved)}, false},
        {"x release", {KeyRecord('X', 'x', false, 0, RealScanCode)}, false},
        {"F7 release then x press",
         {KeyRecord(os::kVkF7, 0, false, 0, RealScanCode), KeyRecord('X', 'x', true, 0, RealScanCode)},
         true},
    };
    for (const Pending& c : cases) {
        for (const InputRecord& r : c.queue) win32::Queue(r);
        EXPECT_EQ(HasPendingTypedKeys(), c.pending) << c.name;
        EXPECT_EQ(win32::ReadAll(), c.queue) << c.name << ": the queue is left as it was";
    }
}

}  // namespace
}  // namespace tarnwick
