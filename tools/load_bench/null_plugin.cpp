// The floor for the load benchmark: a DLL with tarnwick.dll's exports,
// ordinals and resources, built and linked the same way, whose functions do
// nothing. Whatever tarnwick.dll costs to load beyond this is its own.
#include "dll/exports.h"

extern "C" {

int __stdcall DllEntry(void* /*module*/, unsigned long /*reason*/, void* /*reserved*/) { return 1; }

TARNWICK_ENTRY void TARNWICK_STDCALL SetStartupInfo(const tarnwick::HostStartupRecord* /*startup*/) noexcept {
}
TARNWICK_ENTRY void TARNWICK_STDCALL GetPluginInfo(tarnwick::PluginInfoRecord* /*info*/) noexcept {}
TARNWICK_ENTRY std::uint32_t TARNWICK_STDCALL OpenPlugin(std::int32_t /*openFrom*/,
                                                         std::int32_t /*item*/) noexcept {
    return 0;
}
TARNWICK_ENTRY std::int32_t TARNWICK_STDCALL
ProcessEditorInput(const tarnwick::InputRecord* /*rec*/) noexcept {
    return 0;
}

}  // extern "C"
