#pragma once
// The records the host passes to the plug-in's exported entry points, as the
// host's 32-bit plug-in interface lays them out (4-byte pointers). Fields the
// plug-in never touches are kept as opaque bytes; the offsets are asserted for
// the 32-bit build.
#include <cstddef>
#include <cstdint>

#include "host/editor_records.h"

namespace tarnwick {

// Passed to SetStartupInfo; only read, and only during that call.
struct HostStartupRecord {
    std::int32_t size;  // as the host filled it
    std::uint8_t unread1[264];
    const char* registryPath;  // NUL-terminated, a subkey of HKEY_CURRENT_USER
    std::uint8_t unread2[60];
    EditorCommandEntry editorCommand;
};
// The record reaches the end of the editor command entry from this size on.
constexpr std::int32_t kMinStartupRecordSize = 336;
static_assert(!kHostLayout || offsetof(HostStartupRecord, registryPath) == 268);
static_assert(!kHostLayout || offsetof(HostStartupRecord, editorCommand) == 332);
static_assert(!kHostLayout || sizeof(HostStartupRecord) == kMinStartupRecordSize);

// Filled by GetPluginInfo: exactly these 36 bytes are written.
struct PluginInfoRecord {
    std::int32_t size;
    std::uint32_t flags;
    std::uint32_t menus[7];  // the host's menu string lists and their counts
};
constexpr std::int32_t kPluginInfoSize = 36;
constexpr std::uint32_t kPluginFlags = 2 | 4;  // not a panel plug-in; works in the editor
static_assert(sizeof(PluginInfoRecord) == kPluginInfoSize);
static_assert(offsetof(PluginInfoRecord, flags) == 4 && offsetof(PluginInfoRecord, menus) == 8);

}  // namespace tarnwick
