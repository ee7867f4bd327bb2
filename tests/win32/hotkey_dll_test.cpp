// F7 and Ctrl+F7 through the built tarnwick.dll and the real console queue.
// The host's line sits at the very end of a readable page followed by a
// no-access page, so any read past its reported length faults.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/action_cases.h"
#include "support/defined_numbers.h"
#include "support/fake_editor.h"
#include "support/key_records.h"
#include "win32/console_queue.h"
#include "win32/import_hook.h"
#include "win32/plugin_dll.h"

namespace tarnwick {
namespace {

using win32::Plugin;
using win32::RealScanCode;

// Copies `text` so that its last byte is the last readable byte.
const std::uint8_t* AtPageEnd(const std::string& text) {
    constexpr std::size_t kReadable = 0x20000;  // room for the longest line of the tables
    static std::uint8_t* region = [] {
        auto* p = static_cast<std::uint8_t*>(
            VirtualAlloc(nullptr, kReadable + 0x1000, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(p + kReadable, 0x1000, PAGE_NOACCESS, &old);
        return p;
    }();
    if (text.size() > kReadable) ADD_FAILURE() << "a line of " << text.size() << " bytes does not fit";
    std::uint8_t* at = region + kReadable - text.size();
    std::memcpy(at, text.data(), text.size());
    return at;
}

// Counts the DLL's calls to WriteConsoleInputA, and the records each was
// given, while it lives; every call still goes to the console.
class WriteCounter {
public:
    WriteCounter() {
        lengths_.clear();
        real_ = reinterpret_cast<WriteFn>(win32::HookImport(
            Plugin().module, "kernel32.dll", "WriteConsoleInputA", reinterpret_cast<void*>(&Counted)));
    }
    ~WriteCounter() {
        if (real_ != nullptr) {
            win32::HookImport(Plugin().module, "kernel32.dll", "WriteConsoleInputA",
                              reinterpret_cast<void*>(real_));
        }
    }
    WriteCounter(const WriteCounter&) = delete;
    WriteCounter& operator=(const WriteCounter&) = delete;

    bool Hooked() const { return real_ != nullptr; }
    const std::vector<DWORD>& Lengths() const { return lengths_; }

private:
    using WriteFn = BOOL(WINAPI*)(HANDLE, const INPUT_RECORD*, DWORD, DWORD*);
    static BOOL WINAPI Counted(HANDLE console, const INPUT_RECORD* records, DWORD length, DWORD* written) {
        lengths_.push_back(length);
        return real_(console, records, length, written);
    }
    static inline WriteFn real_ = nullptr;
    static inline std::vector<DWORD> lengths_;
};

// F7 pressed or released with these modifier bits.
InputRecord F7Press(std::uint32_t state = 0) { return KeyRecord(os::kVkF7, 0, true, state, RealScanCode); }
InputRecord F7Release(std::uint32_t state = 0) { return KeyRecord(os::kVkF7, 0, false, state, RealScanCode); }

// What one action appends: the text, Ctrl+K when anything was typed, the
// selection keys.
std::vector<InputRecord> Typed(const std::string& text) { return ActionRecords(text, RealScanCode); }

class HotkeyDll : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(Plugin().processEditorInput, nullptr);
        ASSERT_TRUE(FlushConsoleInputBuffer(win32::ConsoleInput()));
        HostStartupRecord rec;
        std::memset(&rec, 0, sizeof rec);
        rec.size = 336;
        rec.registryPath = "Software\\TarnwickTest\\HotkeyPlugins";  // absent: nothing written
        rec.editorCommand = fake::EditorEntry;
        Plugin().setStartupInfo(&rec);
    }
    void TearDown() override { FlushConsoleInputBuffer(win32::ConsoleInput()); }

    static void Place(fake::Editor& e) { e.placedText = AtPageEnd(e.text); }
};

TEST_F(HotkeyDll, EveryEdgeCaseTypesRecordForRecord) {
    for (const ActionCase& c : ActionCases()) {
        fake::Editor& e = Arrange(c);
        Place(e);
        const InputRecord rec = F7Press();
        EXPECT_EQ(Plugin().processEditorInput(&rec), 0) << c.name;
        EXPECT_EQ(win32::ReadAll(), Typed(c.typed)) << c.name;
        EXPECT_EQ(e.lineNumbers, std::vector<std::int32_t>{-1}) << c.name;
    }
}

TEST_F(HotkeyDll, CtrlF7WithEitherOrBothCtrlsTypesTheWord) {
    for (std::uint32_t ctrl :
         {os::kLeftCtrlPressed, os::kRightCtrlPressed, os::kLeftCtrlPressed | os::kRightCtrlPressed,
          os::kLeftCtrlPressed | os::kNumLockOn}) {
        Place(fake::ResetEditor("int count = 0;", 6));
        const InputRecord rec = F7Press(ctrl);
        EXPECT_EQ(Plugin().processEditorInput(&rec), 0);
        EXPECT_EQ(win32::ReadAll(), Typed("count")) << "state 0x" << std::hex << ctrl;
    }
}

TEST_F(HotkeyDll, ModifiedOrReleasedF7DoesNothing) {
    const std::uint32_t states[] = {os::kShiftPressed, os::kLeftAltPressed, os::kRightAltPressed,
                                    os::kLeftCtrlPressed | os::kLeftAltPressed,
                                    os::kLeftCtrlPressed | os::kShiftPressed};
    for (std::uint32_t state : states) {
        fake::Editor& e = fake::ResetEditor("int count = 0;", 6);
        const InputRecord rec = F7Press(state);
        EXPECT_EQ(Plugin().processEditorInput(&rec), 0);
        EXPECT_TRUE(e.commands.empty());
        EXPECT_EQ(win32::PendingEvents(), 0u);
    }
    const InputRecord release = F7Release();
    EXPECT_EQ(Plugin().processEditorInput(&release), 0);
    EXPECT_EQ(win32::PendingEvents(), 0u);
}

// What the user has already queued when F7 arrives: the user's own input
// keeps the plug-in out entirely; a modifier held alone does not.
TEST_F(HotkeyDll, TheUsersWaitingInputIsNeverOvertaken) {
    struct Waiting {
        const char* name;
        std::vector<InputRecord> queue;
        bool typed;
    };
    const Waiting cases[] = {
        {"x", {KeyRecord('X', 'x', true, 0, RealScanCode)}, false},
        {"F10", {KeyRecord(os::kVkF10, 0, true, 0, RealScanCode)}, false},
        {"Left", {KeyRecord(0x25, 0, true, os::kEnhancedKey, RealScanCode)}, false},
        {"mouse click", {MouseRecord(os::kLeftButtonPressed, 0)}, false},
        {"repeated F7", {F7Press()}, false},
        {"repeated Ctrl+F7", {F7Press(os::kLeftCtrlPressed)}, false},
        {"Shift alone", {KeyRecord(0x10, 0, true, os::kShiftPressed, RealScanCode)}, true},
        {"Ctrl alone", {KeyRecord(0x11, 0, true, os::kLeftCtrlPressed, RealScanCode)}, true},
    };
    for (const Waiting& c : cases) {
        fake::Editor& e = fake::ResetEditor("int count = 0;", 6);
        Place(e);
        for (const InputRecord& r : c.queue) win32::Queue(r);
        const InputRecord rec = F7Press();
        EXPECT_EQ(Plugin().processEditorInput(&rec), 0) << c.name;
        if (c.typed) {
            EXPECT_EQ(win32::ReadAll(), Concat(c.queue, Typed("count"))) << c.name;
        } else {
            EXPECT_TRUE(e.commands.empty()) << c.name;
            EXPECT_EQ(win32::ReadAll(), c.queue) << c.name << ": still queued, alone";
        }
    }
}

TEST_F(HotkeyDll, APendingF7ReleaseStaysAheadOfTheTypedWord) {
    Place(fake::ResetEditor("int count = 0;", 6));
    win32::Queue(F7Release());
    const InputRecord rec = F7Press();
    EXPECT_EQ(Plugin().processEditorInput(&rec), 0);
    EXPECT_EQ(win32::ReadAll(), Concat({F7Release()}, Typed("count")));
}

// However long the selection, its first 1,023 bytes reach the real console
// queue, Ctrl+K and the selection keys after them, in one call of 2,056
// records: what every console accepts in one write.
TEST_F(HotkeyDll, AHundredThousandByteSelectionGoesOutCutInOneWrite) {
    const std::string line = Letters(100000);
    fake::Editor& e = fake::ResetEditor(line, 0);
    Place(e);
    fake::SelectOnCursorLine(e, 0, 100000);
    WriteCounter writes;
    ASSERT_TRUE(writes.Hooked()) << "tarnwick.dll imports WriteConsoleInputA from kernel32.dll";
    const InputRecord rec = F7Press();
    Plugin().processEditorInput(&rec);
    EXPECT_EQ(writes.Lengths(), std::vector<DWORD>{2056});
    EXPECT_EQ(e.converted, std::vector<std::string>{line.substr(0, 1023)});
    const std::vector<InputRecord> got = win32::ReadAll();
    EXPECT_EQ(got.size(), 2056u);
    EXPECT_EQ(got, Typed(line.substr(0, 1023)));
}

TEST_F(HotkeyDll, TheHostsConversionIsTyped) {
    fake::Editor& e = fake::ResetEditor("caf\xE9", 1);
    Place(e);
    e.convert = [](std::uint8_t* text, std::int32_t length) {
        for (std::int32_t i = 0; i < length; ++i) {
            if (text[i] == 0xE9) text[i] = 0x82;  // e acute, code page 1252 to 850
        }
    };
    const InputRecord rec = F7Press();
    Plugin().processEditorInput(&rec);
    EXPECT_EQ(e.converted, std::vector<std::string>{"caf\xE9"});
    EXPECT_EQ(win32::ReadAll(), Typed("caf\x82"));
}

}  // namespace
}  // namespace tarnwick
