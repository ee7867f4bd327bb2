#pragma once
// The entry points the host finds by name in tarnwick.dll (see tarnwick.def).
#include <cstdint>

#include "console/input_record.h"
#include "host/host_records.h"

extern "C" {
void TARNWICK_STDCALL SetStartupInfo(const tarnwick::HostStartupRecord* startup) noexcept;
void TARNWICK_STDCALL GetPluginInfo(tarnwick::PluginInfoRecord* info) noexcept;
std::uint32_t TARNWICK_STDCALL OpenPlugin(std::int32_t openFrom, std::int32_t item) noexcept;
std::int32_t TARNWICK_STDCALL ProcessEditorInput(const tarnwick::InputRecord* rec) noexcept;
}
