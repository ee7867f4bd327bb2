#pragma once
// The entry points the host finds by name in tarnwick.dll (see tarnwick.def).
#include <cstdint>

#include "host/plugin_records.h"
#include "platform/input_record.h"

// Marks the functions the host calls. tarnwick.dll is optimised as a whole
// program, and the optimiser does not read the .def file that exports them.
#if defined(__GNUC__) && !defined(__clang__)
#define TARNWICK_ENTRY __attribute__((externally_visible))
#else
#define TARNWICK_ENTRY
#endif

extern "C" {
TARNWICK_ENTRY void TARNWICK_STDCALL SetStartupInfo(const tarnwick::HostStartupRecord* startup) noexcept;
TARNWICK_ENTRY void TARNWICK_STDCALL GetPluginInfo(tarnwick::PluginInfoRecord* info) noexcept;
TARNWICK_ENTRY std::uint32_t TARNWICK_STDCALL OpenPlugin(std::int32_t openFrom, std::int32_t item) noexcept;
TARNWICK_ENTRY std::int32_t TARNWICK_STDCALL ProcessEditorInput(const tarnwick::InputRecord* rec) noexcept;
}
