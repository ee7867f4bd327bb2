// The platform seam on Windows: each call goes straight to the system.
#include <windows.h>

#include "platform/sys.h"

namespace tarnwick::sys {

static_assert(sizeof(InputRecord) == sizeof(INPUT_RECORD));
static_assert(sizeof(Handle) == sizeof(HANDLE) && sizeof(Hkey) == sizeof(HKEY));

Hkey CurrentUserKey() { return HKEY_CURRENT_USER; }

Handle GetStdHandle(Dword which) { return ::GetStdHandle(which); }

bool GetNumberOfConsoleInputEvents(Handle console, Dword* count) {
    DWORD n = 0;
    const BOOL ok = ::GetNumberOfConsoleInputEvents(console, &n);
    *count = n;
    return ok != FALSE;
}

bool PeekConsoleInputA(Handle console, InputRecord* buffer, Dword length, Dword* read) {
    DWORD n = 0;
    const BOOL ok = ::PeekConsoleInputA(console, reinterpret_cast<INPUT_RECORD*>(buffer), length, &n);
    *read = n;
    return ok != FALSE;
}

bool WriteConsoleInputA(Handle console, const InputRecord* records, Dword length, Dword* written) {
    DWORD n = 0;
    const BOOL ok = ::WriteConsoleInputA(console, reinterpret_cast<const INPUT_RECORD*>(records), length, &n);
    *written = n;
    return ok != FALSE;
}

std::uint32_t MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType) {
    return ::MapVirtualKeyA(code, mapType);
}

Long RegOpenKeyExA(Hkey key, const char* subKey, Dword options, Dword access, Hkey* result) {
    return ::RegOpenKeyExA(static_cast<HKEY>(key), subKey, options, access, reinterpret_cast<HKEY*>(result));
}

Long RegCreateKeyExA(Hkey key, const char* subKey, Dword reserved, char* className, Dword options,
                     Dword access, void* security, Hkey* result, Dword* disposition) {
    DWORD how = 0;
    const LONG rc =
        ::RegCreateKeyExA(static_cast<HKEY>(key), subKey, reserved, className, options, access,
                          static_cast<SECURITY_ATTRIBUTES*>(security), reinterpret_cast<HKEY*>(result),
                          disposition != nullptr ? &how : nullptr);
    if (disposition != nullptr) *disposition = how;
    return rc;
}

Long RegSetValueExA(Hkey key, const char* valueName, Dword reserved, Dword type, const std::uint8_t* data,
                    Dword size) {
    return ::RegSetValueExA(static_cast<HKEY>(key), valueName, reserved, type, data, size);
}

Long RegCloseKey(Hkey key) { return ::RegCloseKey(static_cast<HKEY>(key)); }

}  // namespace tarnwick::sys
