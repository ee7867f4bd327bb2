// The built tarnwick.dll in a 32-bit Windows process: loaded, bound to a host
// record, writing its value into Wine's real registry.
#include "win32/plugin_dll.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tarnwick {
namespace {

using win32::Plugin;

constexpr char kTestRoot[] = "Software\\TarnwickTest";
constexpr char kHostPath[] = "Software\\TarnwickTest\\Plugins";

std::int32_t __stdcall NoEditor(std::int32_t, void*) { return 0; }

HostStartupRecord Startup(std::int32_t size, const char* path) {
    HostStartupRecord rec;
    std::memset(&rec, 0xEE, sizeof rec);
    rec.size = size;
    rec.registryPath = path;
    rec.editorCommand = NoEditor;
    return rec;
}

bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

class PluginDll : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(Plugin().module, nullptr) << "LoadLibraryA failed: " << GetLastError();
        ASSERT_NE(Plugin().setStartupInfo, nullptr);
        ASSERT_NE(Plugin().getPluginInfo, nullptr);
        ASSERT_NE(Plugin().openPlugin, nullptr);
        ASSERT_NE(Plugin().processEditorInput, nullptr);
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kHostPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot); }
};

TEST_F(PluginDll, DescribesAnEditorPluginInExactly36Bytes) {
    unsigned char raw[64];
    std::memset(raw, 0xAB, sizeof raw);
    Plugin().getPluginInfo(reinterpret_cast<PluginInfoRecord*>(raw));
    const unsigned char head[8] = {36, 0, 0, 0, 6, 0, 0, 0};
    EXPECT_EQ(std::memcmp(raw, head, 8), 0);
    for (int i = 8; i < 36; ++i) EXPECT_EQ(raw[i], 0) << i;
    for (int i = 36; i < 64; ++i) EXPECT_EQ(raw[i], 0xAB) << i;
}

TEST_F(PluginDll, OpenPluginDeclines) {
    EXPECT_EQ(Plugin().openPlugin(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(Plugin().openPlugin(-1, 12345), 0xFFFFFFFFu);
}

TEST_F(PluginDll, BindingWritesInfoIntoTheUsersRegistry) {
    const HostStartupRecord rec = Startup(336, kHostPath);
    Plugin().setStartupInfo(&rec);

    const std::string key = std::string(kHostPath) + "\\Tarnwick";
    DWORD type = 0;
    char data[512] = {};
    DWORD size = sizeof data;
    ASSERT_EQ(
        RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "Info", RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, std::strlen(data) + 1) << "the terminating NUL is counted";
    const std::string text(data);
    EXPECT_NE(text.find("Tarnwick"), std::string::npos);
    EXPECT_NE(text.find("FAR Editor Plugin"), std::string::npos);
    EXPECT_NE(text.find("v1.00"), std::string::npos);
}

TEST_F(PluginDll, RefusedOrPathlessBindingsCreateNothing) {
    const HostStartupRecord small = Startup(335, kHostPath);
    Plugin().setStartupInfo(&small);
    EXPECT_FALSE(KeyExists("Software\\TarnwickTest\\Plugins\\Tarnwick")) << "a 335-byte record is refused";

    const HostStartupRecord missing = Startup(336, "Software\\TarnwickTest\\Missing");
    Plugin().setStartupInfo(&missing);
    EXPECT_FALSE(KeyExists("Software\\TarnwickTest\\Missing"));
}

}  // namespace
}  // namespace tarnwick
