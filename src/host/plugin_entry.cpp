#include "host/plugin_entry.h"

#include <cstring>

#include "host/editor_service.h"
#include "platform/sys.h"

namespace tarnwick {

const char kPluginKeyName[] = "Tarnwick";
const char kInfoValueName[] = "Info";
const char kInfoText[] =
    "Tarnwick, FAR Editor Plugin v1.00: types the word under the cursor into the find and "
    "replace prompts. Written by the Tarnwick developers. Freeware: use and share it freely.";

namespace {

constexpr sys::Dword kKeyCreateSubKey = 0x0004;
constexpr sys::Dword kKeyEnumerateSubKeys = 0x0008;
constexpr sys::Dword kKeySetValue = 0x0002;

void WriteInfoValue(const char* registryPath) {
    sys::Hkey root = nullptr;
    if (sys::RegOpenKeyExA(sys::CurrentUserKey(), registryPath, 0, kKeyCreateSubKey | kKeyEnumerateSubKeys,
                           &root) != 0) {
        return;
    }
    sys::Hkey plugin = nullptr;
    if (sys::RegCreateKeyExA(root, kPluginKeyName, 0, nullptr, 0, kKeySetValue, nullptr, &plugin, nullptr) ==
        0) {
        sys::RegSetValueExA(plugin, kInfoValueName, 0, sys::kRegSz,
                            reinterpret_cast<const std::uint8_t*>(kInfoText),
                            sizeof kInfoText);  // the terminating NUL counted
        sys::RegCloseKey(plugin);
    }
    sys::RegCloseKey(root);
}

}  // namespace

void SetStartupInfo(const HostStartupRecord& startup) {
    if (startup.size < kMinStartupRecordSize) return;
    g_editorCommand = startup.editorCommand;
    WriteInfoValue(startup.registryPath);
}

void GetPluginInfo(PluginInfoRecord& info) {
    std::memset(&info, 0, kPluginInfoSize);
    info.size = kPluginInfoSize;
    info.flags = kPluginFlags;
}

}  // namespace tarnwick
