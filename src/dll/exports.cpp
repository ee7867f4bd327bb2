// The four entry points the host calls, under its own names. Nothing thrown or
// failed inside may reach the host: each entry answers as it always does.
#include "dll/exports.h"

#include "host/plugin_entry.h"
#include "word/hotkey_handler.h"

using tarnwick::HostStartupRecord;
using tarnwick::InputRecord;
using tarnwick::PluginInfoRecord;

namespace {

// Runs `body` for an entry point. tarnwick.dll is built without exceptions, so
// there nothing can be thrown; where they are on (the native build, whose
// stand-in host may throw from its callbacks), everything is caught here.
template <class Body>
void AtTheBoundary(Body body) noexcept {
#if defined(__cpp_exceptions)
    try {
        body();
    } catch (...) {
    }
#else
    body();
#endif
}

}  // namespace

extern "C" {

TARNWICK_ENTRY void TARNWICK_STDCALL SetStartupInfo(const HostStartupRecord* startup) noexcept {
    AtTheBoundary([startup] { tarnwick::SetStartupInfo(*startup); });
}

TARNWICK_ENTRY void TARNWICK_STDCALL GetPluginInfo(PluginInfoRecord* info) noexcept {
    AtTheBoundary([info] { tarnwick::GetPluginInfo(*info); });
}

TARNWICK_ENTRY std::uint32_t TARNWICK_STDCALL OpenPlugin(std::int32_t /*openFrom*/,
                                                         std::int32_t /*item*/) noexcept {
    return tarnwick::kNoPanel;
}

// Always 0: the event was not handled, and the host goes on with it.
TARNWICK_ENTRY std::int32_t TARNWICK_STDCALL ProcessEditorInput(const InputRecord* rec) noexcept {
    AtTheBoundary([rec] { tarnwick::ProcessEditorInput(*rec); });
    return 0;
}

}  // extern "C"
