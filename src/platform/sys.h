#pragma once
// The platform seam: the few Win32 calls the plug-in makes, with the same names
// and argument lists. The Windows build forwards each one to the real call
// (sys_win32.cpp); the native test build links an in-memory console input
// queue and registry in their place (tests/support/fake_sys.cpp).
#include <cstddef>
#include <cstdint>

#include "platform/input_record.h"

namespace tarnwick::sys {

using Handle = void*;
using Hkey = void*;
using Dword = std::uint32_t;
using Long = std::int32_t;

constexpr Dword kStdInputHandle = static_cast<Dword>(-10);
constexpr Dword kRegSz = 1;
constexpr Dword kHeapZeroMemory = 0x00000008;

// HKEY_CURRENT_USER.
Hkey CurrentUserKey();

// kernel32: console input.
Handle GetStdHandle(Dword which);
bool GetNumberOfConsoleInputEvents(Handle console, Dword* count);
bool PeekConsoleInputA(Handle console, InputRecord* buffer, Dword length, Dword* read);
bool WriteConsoleInputA(Handle console, const InputRecord* records, Dword length, Dword* written);

// kernel32: memory, from the process heap. HeapAlloc answers null when the
// memory cannot be had; with kHeapZeroMemory the block comes zeroed.
Handle GetProcessHeap();
void* HeapAlloc(Handle heap, Dword flags, std::size_t bytes);
bool HeapFree(Handle heap, Dword flags, void* block);

// user32: keyboard mapping.
std::uint32_t MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType);

// advapi32: registry. Each returns 0 on success.
Long RegOpenKeyExA(Hkey key, const char* subKey, Dword options, Dword access, Hkey* result);
Long RegCreateKeyExA(Hkey key, const char* subKey, Dword reserved, char* className, Dword options,
                     Dword access, void* security, Hkey* result, Dword* disposition);
Long RegSetValueExA(Hkey key, const char* valueName, Dword reserved, Dword type, const std::uint8_t* data,
                    Dword size);
Long RegCloseKey(Hkey key);

}  // namespace tarnwick::sys
