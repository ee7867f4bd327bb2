// The platform seam on Windows: each call goes straight to the system.
#include <windows.h>

#include "platform/sys.h"

namespace tarnwick::sys {

static_assert(sizeof(InputRecord) == sizeof(INPUT_RECORD));
static_assert(sizeof(Handle) == sizeof(HANDLE) && sizeof(Hkey) == sizeof(HKEY));

// Where the system writes a DWORD or an HKEY, it writes into a local of that
// type, copied out after the call: the seam's own types are not the system's.

Hkey CurrentUserKey() { return HKEY_CURRENT_USER; }

Handle GetStdHandle(Dword which) { return ::GetStdHandle(which); }

bool GetNumberOfConsoleInputEvents(Handle console, Dword* count) {
    DWORD n = 0;
    const bool ok = ::GetNumberOfConsoleInputEvents(console, &n) != FALSE;
    *count = n;
    return ok;
}

bool PeekConsoleInputA(Handle console, InputRecord* buffer, Dword length, Dword* read) {
    DWORD n = 0;
    const bool ok =
        ::PeekConsoleInputA(console, reinterpret_cast<INPUT_RECORD*>(buffer), length, &n) != FALSE;
    *read = n;
    return ok;
}

bool WriteConsoleInputA(Handle console, const InputRecord* records, Dword length, Dword* written) {
    DWORD n = 0;
    const bool ok =
        ::WriteConsoleInputA(console, reinterpret_cast<const INPUT_RECORD*>(records), length, &n) != FALSE;
    *written = n;
    return ok;
}

Handle GetProcessHeap() { return ::GetProcessHeap(); }

void* HeapAlloc(Handle heap, Dword flags, std::size_t bytes) { return ::HeapAlloc(heap, flags, bytes); }

bool HeapFree(Handle heap, Dword flags, void* block) { return ::HeapFree(heap, flags, block) != FALSE; }

std::uint32_t MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType) {
    return ::MapVirtualKeyA(code, mapType);
}

Long RegOpenKeyExA(Hkey key, const char* subKey, Dword options, Dword access, Hkey* result) {
    HKEY opened = nullptr;
    const LONG status = ::RegOpenKeyExA(static_cast<HKEY>(key), subKey, options, access, &opened);
    *result = opened;
    return status;
}

Long RegCreateKeyExA(Hkey key, const char* subKey, Dword reserved, char* className, Dword options,
                     Dword access, void* security, Hkey* result, Dword* disposition) {
    HKEY created = nullptr;
    DWORD how = 0;
    const LONG status = ::RegCreateKeyExA(static_cast<HKEY>(key), subKey, reserved, className, options,
                                          access, static_cast<SECURITY_ATTRIBUTES*>(security), &created,
                                          disposition != nullptr ? &how : nullptr);
    *result = created;
    if (disposition != nullptr) *disposition = how;
    return status;
}

Long RegSetValueExA(Hkey key, const char* valueName, Dword reserved, Dword type, const std::uint8_t* data,
                    Dword size) {
    return ::RegSetValueExA(static_cast<HKEY>(key), valueName, reserved, type, data, size);
}

Long RegCloseKey(Hkey key) { return ::RegCloseKey(static_cast<HKEY>(key)); }

}  // namespace tarnwick::sys
