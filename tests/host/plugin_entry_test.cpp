// Binding to the host and describing the plug-in, on the in-memory registry.
#include "host/plugin_entry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/editor_service.h"
#include "support/by_name.h"
#include "support/fake_editor.h"
#include "support/fake_sys.h"

namespace tarnwick {
namespace {

constexpr char kHostPath[] = "Software\\Far\\Plugins";
const std::string kValuePath = std::string(kHostPath) + "\\Tarnwick\\Info";

std::int32_t TARNWICK_STDCALL OtherEntry(std::int32_t, void*) { return 0; }

HostStartupRecord Startup(std::int32_t size, EditorCommandEntry entry = fake::EditorEntry,
                          const char* path = kHostPath) {
    HostStartupRecord rec;
    std::memset(&rec, 0xEE, sizeof rec);  // fields the plug-in must not need
    rec.size = size;
    rec.registryPath = path;
    rec.editorCommand = entry;
    return rec;
}

class Binding : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::Reg().keys.insert("Software");
        fake::Reg().keys.insert("Software\\Far");
        fake::Reg().keys.insert(kHostPath);
        g_editorCommand = OtherEntry;  // bound by an earlier call
    }
    static bool ValueWritten() { return fake::Reg().values.count(kValuePath) == 1; }
    static void ExpectKeysBalanced() {
        EXPECT_TRUE(fake::Reg().open.empty()) << "every key opened is closed";
        EXPECT_EQ(fake::Reg().opened, fake::Reg().closed);
    }
};

struct SizeCase {
    const char* name;
    std::int32_t size;
    bool accepted;
};

class StartupSizes : public Binding, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(StartupSizes, AcceptsRecordsFrom336Bytes) {
    const HostStartupRecord rec = Startup(GetParam().size);
    SetStartupInfo(rec);
    if (GetParam().accepted) {
        EXPECT_EQ(g_editorCommand, &fake::EditorEntry);
        EXPECT_TRUE(ValueWritten());
    } else {
        EXPECT_EQ(g_editorCommand, &OtherEntry) << "an earlier binding stays";
        EXPECT_TRUE(fake::Reg().calls.empty()) << "not even the registry is touched";
    }
    ExpectKeysBalanced();
}

INSTANTIATE_TEST_SUITE_P(Sizes, StartupSizes,
                         ::testing::Values(SizeCase{"Exactly336", 336, true},
                                           SizeCase{"Large", 0x7FFFFFFF, true}, SizeCase{"Below", 335, false},
                                           SizeCase{"Zero", 0, false}, SizeCase{"MinusOne", -1, false},
                                           SizeCase{"MostNegative", INT32_MIN, false}),
                         ByName());

TEST_F(Binding, WritesInfoAsAStringWithItsNulCounted) {
    const HostStartupRecord rec = Startup(336);
    SetStartupInfo(rec);

    const auto& calls = fake::Reg().calls;
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].what, "open");
    EXPECT_EQ(calls[0].path, kHostPath);
    EXPECT_EQ(calls[0].options, 0u);
    EXPECT_EQ(calls[0].access, 0x000Cu) << "create-subkey and enumerate-subkeys";
    EXPECT_EQ(calls[1].what, "create");
    EXPECT_EQ(calls[1].path, std::string(kHostPath) + "\\Tarnwick");
    EXPECT_EQ(calls[1].options, 0u) << "non-volatile";
    EXPECT_EQ(calls[1].access, 0x0002u) << "set-value";
    EXPECT_EQ(calls[1].reserved, 0u);
    EXPECT_TRUE(calls[1].nullClass && calls[1].nullSecurity && calls[1].nullDisposition);
    EXPECT_EQ(calls[2].what, "set");
    EXPECT_EQ(calls[3].what, "close");
    EXPECT_EQ(calls[3].path, std::string(kHostPath) + "\\Tarnwick") << "the subkey first";
    EXPECT_EQ(calls[4].what, "close");
    EXPECT_EQ(calls[4].path, kHostPath);

    const fake::RegistryValue& value = fake::Reg().values.at(kValuePath);
    EXPECT_EQ(value.type, 1u) << "REG_SZ";
    ASSERT_EQ(value.data.size(), std::strlen(kInfoText) + 1);
    EXPECT_EQ(value.data.back(), 0);
    const std::string text(value.data.begin(), value.data.end() - 1);
    EXPECT_EQ(text, kInfoText);
    for (const char* part : {"Tarnwick", "FAR Editor Plugin", "v1.00", "Freeware"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << "one line";
    ExpectKeysBalanced();
}

TEST_F(Binding, RewritesTheValueOnEveryAcceptedCall) {
    const HostStartupRecord rec = Startup(336);
    SetStartupInfo(rec);
    fake::Reg().values.at(kValuePath).data = {'o', 'l', 'd', 0};
    SetStartupInfo(rec);
    EXPECT_EQ(fake::Reg().values.at(kValuePath).data.size(), std::strlen(kInfoText) + 1);
    ExpectKeysBalanced();
}

TEST_F(Binding, AMissingHostPathBindsButCreatesNothing) {
    const HostStartupRecord rec = Startup(336, fake::EditorEntry, "Software\\Nowhere");
    const auto keysBefore = fake::Reg().keys;
    SetStartupInfo(rec);
    EXPECT_EQ(g_editorCommand, &fake::EditorEntry);
    EXPECT_EQ(fake::Reg().keys, keysBefore);
    EXPECT_TRUE(fake::Reg().values.empty());
    ExpectKeysBalanced();
}

TEST_F(Binding, ANullOrEmptyHostPathWritesUnderTheUserRoot) {
    for (const char* path : {static_cast<const char*>(nullptr), ""}) {
        fake::Reset();
        const HostStartupRecord rec = Startup(336, fake::EditorEntry, path);
        SetStartupInfo(rec);
        EXPECT_EQ(fake::Reg().values.count("Tarnwick\\Info"), 1u);
        ExpectKeysBalanced();
    }
}

TEST_F(Binding, ANullEntryIsBoundAndTheValueStillWritten) {
    const HostStartupRecord rec = Startup(336, nullptr);
    SetStartupInfo(rec);
    EXPECT_EQ(g_editorCommand, nullptr);
    EXPECT_TRUE(ValueWritten());
    ExpectKeysBalanced();
}

struct FaultCase {
    const char* name;
    sys::Long fake::Registry::*fault;
    std::vector<std::string> calls;  // what is asked of the registry
};

class RegistryFaults : public Binding, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(RegistryFaults, EndTheWriteQuietlyWithTheBindingStandingAndKeysClosed) {
    fake::Reg().*GetParam().fault = 5;  // access denied
    const HostStartupRecord rec = Startup(336);
    SetStartupInfo(rec);

    std::vector<std::string> asked;
    for (const auto& call : fake::Reg().calls) asked.push_back(call.what);
    EXPECT_EQ(asked, GetParam().calls);
    EXPECT_EQ(g_editorCommand, &fake::EditorEntry);
    EXPECT_FALSE(ValueWritten());
    ExpectKeysBalanced();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RegistryFaults,
    ::testing::Values(FaultCase{"Open", &fake::Registry::failOpen, {"open"}},
                      FaultCase{"Create", &fake::Registry::failCreate, {"open", "create", "close"}},
                      FaultCase{
                          "Set", &fake::Registry::failSet, {"open", "create", "set", "close", "close"}}),
    ByName());

TEST_F(Binding, ALaterAcceptedCallReplacesTheEntryAndATooSmallOneDoesNot) {
    const HostStartupRecord first = Startup(336, fake::EditorEntry);
    const HostStartupRecord second = Startup(400, OtherEntry);
    const HostStartupRecord tooSmall = Startup(335, fake::EditorEntry);
    SetStartupInfo(first);
    EXPECT_EQ(g_editorCommand, &fake::EditorEntry);
    SetStartupInfo(second);
    EXPECT_EQ(g_editorCommand, &OtherEntry);
    SetStartupInfo(tooSmall);
    EXPECT_EQ(g_editorCommand, &OtherEntry);
}

TEST(PluginInfo, WritesExactlyTheFirst36Bytes) {
    unsigned char raw[64];
    std::memset(raw, 0xAB, sizeof raw);
    GetPluginInfo(*reinterpret_cast<PluginInfoRecord*>(raw));

    const std::int32_t size = 36;
    const std::uint32_t flags = 6;
    EXPECT_EQ(std::memcmp(raw, &size, 4), 0);
    EXPECT_EQ(std::memcmp(raw + 4, &flags, 4), 0);
    for (int i = 8; i < 36; ++i) EXPECT_EQ(raw[i], 0) << "byte " << i;
    for (int i = 36; i < 64; ++i) EXPECT_EQ(raw[i], 0xAB) << "byte " << i << " is the host's";
}

}  // namespace
}  // namespace tarnwick
