// The four entry points the host calls, under its own names. Nothing thrown or
// failed inside may reach the host: each entry catches everything and answers
// as it always does.
#include "host/exports.h"

#include "host/plugin_entry.h"
#include "word/hotkey_handler.h"

using tarnwick::HostStartupRecord;
using tarnwick::InputRecord;
using tarnwick::PluginInfoRecord;

extern "C" {

void TARNWICK_STDCALL SetStartupInfo(const HostStartupRecord* startup) noexcept {
    try {
        tarnwick::SetStartupInfo(*startup);
    } catch (...) {
    }
}

void TARNWICK_STDCALL GetPluginInfo(PluginInfoRecord* info) noexcept {
    try {
        tarnwick::GetPluginInfo(*info);
    } catch (...) {
    }
}

std::uint32_t TARNWICK_STDCALL OpenPlugin(std::int32_t /*openFrom*/, std::int32_t /*item*/) noexcept {
    return tarnwick::kNoPanel;
}

std::int32_t TARNWICK_STDCALL ProcessEditorInput(const InputRecord* rec) noexcept {
    try {
        tarnwick::ProcessEditorInput(*rec);
    } catch (...) {
    }
    return 0;
}

}  // extern "C"
