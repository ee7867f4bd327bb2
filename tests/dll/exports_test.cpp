// The four exports as the host calls them, natively: each reaches what it
// exports, and nothing thrown inside crosses into the host.
#include "dll/exports.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/editor_service.h"
#include "support/defined_numbers.h"
#include "support/fake_editor.h"
#include "support/fake_sys.h"
#include "support/key_records.h"

namespace tarnwick {
namespace {

class Exports : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::ResetEditor("int count = 0;", 6);
        g_editorCommand = nullptr;
    }
    void TearDown() override {
        g_editorCommand = nullptr;
        EXPECT_TRUE(fake::TheHeap().live.empty()) << "every block freed, thrown through or not";
    }
};

TEST_F(Exports, EachReachesWhatItExports) {
    HostStartupRecord startup;
    std::memset(&startup, 0, sizeof startup);
    startup.size = 336;
    startup.registryPath = "";
    startup.editorCommand = fake::EditorEntry;
    ::SetStartupInfo(&startup);
    EXPECT_EQ(g_editorCommand, &fake::EditorEntry);
    EXPECT_EQ(fake::Reg().values.count("Tarnwick\\Info"), 1u);

    PluginInfoRecord info;
    std::memset(&info, 0xAB, sizeof info);
    ::GetPluginInfo(&info);
    EXPECT_EQ(info.size, 36);
    EXPECT_EQ(info.flags, 6u);

    // Every event is left to the host (0), the one acted on and the others.
    const InputRecord f7 = KeyRecord(os::kVkF7, 0, true, 0, fake::ScanCode);
    EXPECT_EQ(::ProcessEditorInput(&f7), 0);
    EXPECT_EQ(std::vector<InputRecord>(fake::Console().events.begin(), fake::Console().events.end()),
              ActionRecords("count", fake::ScanCode));
    const InputRecord others[] = {KeyRecord(os::kVkF7, 0, true, os::kShiftPressed, fake::ScanCode),
                                  KeyRecord(os::kVkF7, 0, false, 0, fake::ScanCode),
                                  KeyRecord('A', 'a', true, 0, fake::ScanCode), MouseRecord(1, 0)};
    for (const InputRecord& rec : others) EXPECT_EQ(::ProcessEditorInput(&rec), 0);
}

TEST_F(Exports, OpenPluginAlwaysDeclines) {
    const std::int32_t args[] = {0, 1, 5, -1, INT32_MIN, INT32_MAX};
    for (std::int32_t a : args) {
        for (std::int32_t b : args) EXPECT_EQ(::OpenPlugin(a, b), 0xFFFFFFFFu);
    }
    EXPECT_TRUE(fake::Reg().calls.empty());
    EXPECT_EQ(fake::Console().writeCalls + fake::Console().countCalls, 0);
}

// A host whose command 10 throws: the throw ends the action there, with
// nothing written and every block freed (TearDown), and the next F7 works.
TEST_F(Exports, NothingThrownInsideReachesTheHost) {
    g_editorCommand = fake::EditorEntry;
    fake::TheEditor().throwInConvert = true;
    const InputRecord f7 = KeyRecord(os::kVkF7, 0, true, 0, fake::ScanCode);
    EXPECT_EQ(::ProcessEditorInput(&f7), 0) << "the host goes on with the key";
    EXPECT_EQ(fake::TheEditor().converted, std::vector<std::string>{"count"}) << "the throw was reached";
    EXPECT_EQ(fake::Console().writeCalls, 0);

    fake::TheEditor().throwInConvert = false;
    EXPECT_EQ(::ProcessEditorInput(&f7), 0);
    EXPECT_EQ(std::vector<InputRecord>(fake::Console().events.begin(), fake::Console().events.end()),
              ActionRecords("count", fake::ScanCode));
}

}  // namespace
}  // namespace tarnwick
