// The platform seam on Windows: each call goes straight to the system.
#include <windows.h>

#include "platform/sys.h"

namespace tarnwick::sys {

static_assert(sizeof(InputRecord) == sizeof(INPUT_RECORD));
static_assert(sizeof(Handle) == sizeof(HANDLE) && sizeof(Hkey) == sizeof(HKEY));
// The seam's counts are the system's own DWORDs: the caller's places are passed through.
static_assert(sizeof(Dword) == sizeof(DWORD) && sizeof(Long) == sizeof(LONG));

Hkey CurrentUserKey() { return HKEY_CURRENT_USER; }

Handle GetStdHandle(Dword which) { return ::GetStdHandle(which); }

bool GetNumberOfConsoleInputEvents(Handle console, Dword* count) {
    return ::GetNumberOfConsoleInputEvents(console, reinterpret_cast<DWORD*>(count)) != FALSE;
}

bool PeekConsoleInputA(Handle console, InputRecord* buffer, Dword length, Dword* read) {
    return ::PeekConsoleInputA(console, reinterpret_cast<INPUT_RECORD*>(buffer), length,
                               reinterpret_cast<DWORD*>(read)) != FALSE;
}

bool WriteConsoleInputA(Handle console, const InputRecord* records, Dword length, Dword* written) {
    return ::WriteConsoleInputA(console, reinterpret_cast<const INPUT_RECORD*>(records), length,
                                reinterpret_cast<DWORD*>(written)) != FALSE;
}

Handle GetProcessHeap() { return ::GetProcessHeap(); }

void* HeapAlloc(Handle heap, Dword flags, std::size_t bytes) { return ::HeapAlloc(heap, flags, bytes); }

bool HeapFree(Handle heap, Dword flags, void* block) { return ::HeapFree(heap, flags, block) != FALSE; }

std::uint32_t MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType) {
    return ::MapVirtualKeyA(code, mapType);
}

Long RegOpenKeyExA(Hkey key, const char* subKey, Dword options, Dword access, Hkey* result) {
    return ::RegOpenKeyExA(static_cast<HKEY>(key), subKey, options, access, reinterpret_cast<HKEY*>(result));
}

Long RegCreateKeyExA(Hkey key, const char* subKey, Dword reserved, char* className, Dword options,
                     Dword access, void* security, Hkey* result, Dword* disposition) {
    return ::RegCreateKeyExA(static_cast<HKEY>(key), subKey, reserved, className, options, access,
                             static_cast<SECURITY_ATTRIBUTES*>(security), reinterpret_cast<HKEY*>(result),
                             reinterpret_cast<DWORD*>(disposition));
}

Long RegSetValueExA(Hkey key, const char* valueName, Dword reserved, Dword type, const std::uint8_t* data,
                    Dword size) {
    return ::RegSetValueExA(static_cast<HKEY>(key), valueName, reserved, type, data, size);
}

Long RegCloseKey(Hkey key) { return ::RegCloseKey(static_cast<HKEY>(key)); }

}  // namespace tarnwick::sys
