#pragma once
// tarnwick.dll loaded the way the host loads it: by file name, and each entry
// point found by its plain name.
#include <windows.h>

#include <cstdint>

#include "host/plugin_records.h"
#include "platform/input_record.h"

namespace tarnwick::win32 {

struct PluginDll {
    HMODULE module = nullptr;
    void(__stdcall* setStartupInfo)(const HostStartupRecord*) = nullptr;
    void(__stdcall* getPluginInfo)(PluginInfoRecord*) = nullptr;
    std::uint32_t(__stdcall* openPlugin)(std::int32_t, std::int32_t) = nullptr;
    std::int32_t(__stdcall* processEditorInput)(const InputRecord*) = nullptr;
};

template <class Fn>
void Resolve(HMODULE module, const char* name, Fn& fn) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Loads tarnwick.dll once for the program; the module is null if it failed.
inline const PluginDll& Plugin() {
    static const PluginDll dll = [] {
        PluginDll d;
        d.module = LoadLibraryA("tarnwick.dll");
        if (d.module == nullptr) return d;
        Resolve(d.module, "SetStartupInfo", d.setStartupInfo);
        Resolve(d.module, "GetPluginInfo", d.getPluginInfo);
        Resolve(d.module, "OpenPlugin", d.openPlugin);
        Resolve(d.module, "ProcessEditorInput", d.processEditorInput);
        return d;
    }();
    return dll;
}

}  // namespace tarnwick::win32
