#pragma once
// What the four exported entry points do. dll/exports.cpp puts them at the
// boundary with the host; ProcessEditorInput's body is the hotkey handler.
#include <cstdint>

#include "host/plugin_records.h"

namespace tarnwick {

// The registry value written each time the host binds the plug-in, under
// HKEY_CURRENT_USER\<the host's path>\Tarnwick.
extern const char kPluginKeyName[];
extern const char kInfoValueName[];
extern const char kInfoText[];

// Binds the host's editor command entry (from a record of at least 336 bytes)
// and rewrites the Info registry value. Registry failures end the write
// silently; the binding stands and every key opened is closed.
void SetStartupInfo(const HostStartupRecord& startup);

// An editor plug-in with no menu items: bytes 0 to 35 only.
void GetPluginInfo(PluginInfoRecord& info);

// Always the host's invalid handle: no panel is ever opened.
constexpr std::uint32_t kNoPanel = 0xFFFFFFFF;

}  // namespace tarnwick
