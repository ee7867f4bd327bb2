#pragma once
// The entry points the host finds by name in tarnwick.dll (see tarnwick.def).
#include <cstdint>

#include "host/host_records.h"
#include "platform/input_record.h"

extern "C" {
TARNWICK_ENTRY void TARNWICK_STDCALL SetStartupInfo(const tarnwick::HostStartupRecord* startup) noexcept;
TARNWICK_ENTRY void TARNWICK_STDCALL GetPluginInfo(tarnwick::PluginInfoRecord* info) noexcept;
TARNWICK_ENTRY std::uint32_t TARNWICK_STDCALL OpenPlugin(std::int32_t openFrom, std::int32_t item) noexcept;
TARNWICK_ENTRY std::int32_t TARNWICK_STDCALL ProcessEditorInput(const tarnwick::InputRecord* rec) noexcept;
}
