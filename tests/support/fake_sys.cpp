#include "support/fake_sys.h"

#include <cstdint>

#include "support/alloc_counter.h"

namespace tarnwick {

namespace fake {

ConsoleQueue& Console() {
    static ConsoleQueue queue;
    return queue;
}

Registry& Reg() {
    static Registry registry;
    return registry;
}

void Reset() {
    Console() = ConsoleQueue{};
    Reg() = Registry{};
    // Room to record calls without allocating, so that the tests' allocation
    // counts are the plug-in's own.
    auto& q = Console();
    q.peekLengths.reserve(1024);
    q.writeLengths.reserve(8192);
    q.handlesUsed.reserve(8192);
}

std::uint16_t ScanCode(std::uint16_t vk) { return static_cast<std::uint16_t>(0x100 + vk); }

sys::Handle ConsoleHandle() { return reinterpret_cast<sys::Handle>(std::uintptr_t{0xC0DE}); }

namespace {

sys::Hkey CurrentUser() { return reinterpret_cast<sys::Hkey>(std::uintptr_t{0x80000001}); }

// The path a key handle stands for, or false for a handle that is not open.
bool PathOf(sys::Hkey key, std::string& path) {
    if (key == CurrentUser()) {
        path.clear();
        return true;
    }
    auto it = Reg().open.find(key);
    if (it == Reg().open.end()) return false;
    path = it->second;
    return true;
}

std::string Join(const std::string& parent, const char* child) {
    if (child == nullptr || *child == '\0') return parent;
    return parent.empty() ? std::string(child) : parent + "\\" + child;
}

sys::Hkey OpenHandle(const std::string& path) {
    static std::uintptr_t next = 0x1000;
    auto key = reinterpret_cast<sys::Hkey>(next++);
    Reg().open[key] = path;
    ++Reg().opened;
    return key;
}

constexpr sys::Long kFileNotFound = 2;
constexpr sys::Long kInvalidHandle = 6;

}  // namespace
}  // namespace fake

namespace sys {

using fake::Console;
using fake::Reg;

Hkey CurrentUserKey() { return fake::CurrentUser(); }

Handle GetStdHandle(Dword which) {
    const alloc::NotCounted bookkeeping;
    ++Console().handleCalls;
    return which == kStdInputHandle ? fake::ConsoleHandle() : nullptr;
}

bool GetNumberOfConsoleInputEvents(Handle console, Dword* count) {
    const alloc::NotCounted bookkeeping;
    auto& q = Console();
    const int call = ++q.countCalls;
    q.handlesUsed.push_back(console);
    if (call == q.failCountCall || console != fake::ConsoleHandle()) return false;
    *count = q.claimedCount ? *q.claimedCount : static_cast<Dword>(q.events.size());
    if (q.afterCount) q.afterCount(call);
    return true;
}

bool PeekConsoleInputA(Handle console, InputRecord* buffer, Dword length, Dword* read) {
    const alloc::NotCounted bookkeeping;
    auto& q = Console();
    const int call = ++q.peekCalls;
    q.peekLengths.push_back(length);
    q.handlesUsed.push_back(console);
    if (call == q.failPeekCall || console != fake::ConsoleHandle()) return false;
    Dword n = 0;
    for (; n < length && n < q.events.size(); ++n) buffer[n] = q.events[n];
    *read = n;
    return true;
}

bool WriteConsoleInputA(Handle console, const InputRecord* records, Dword length, Dword* written) {
    const alloc::NotCounted bookkeeping;
    auto& q = Console();
    ++q.writeCalls;
    q.writeLengths.push_back(length);
    q.handlesUsed.push_back(console);
    *written = 0;
    if (q.failWrites || console != fake::ConsoleHandle()) return false;
    for (Dword i = 0; i < length; ++i) q.events.push_back(records[i]);
    *written = length;
    return true;
}

std::uint32_t MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType) {
    const alloc::NotCounted bookkeeping;
    ++Console().mapCalls;
    // High bits set on purpose: only the low 16 bits are a scan code.
    return mapType == 0 ? 0x00A50000u | fake::ScanCode(static_cast<std::uint16_t>(code)) : 0;
}

Long RegOpenKeyExA(Hkey key, const char* subKey, Dword options, Dword access, Hkey* result) {
    auto& r = Reg();
    std::string parent;
    const bool known = fake::PathOf(key, parent);
    const std::string path = fake::Join(parent, subKey);
    fake::Registry::Call call{"open", path, options, access};
    r.calls.push_back(call);
    if (r.failOpen != 0) return r.failOpen;
    if (!known) return fake::kInvalidHandle;
    if (r.keys.count(path) == 0) return fake::kFileNotFound;
    *result = fake::OpenHandle(path);
    return 0;
}

Long RegCreateKeyExA(Hkey key, const char* subKey, Dword reserved, char* className, Dword options,
                     Dword access, void* security, Hkey* result, Dword* disposition) {
    auto& r = Reg();
    std::string parent;
    const bool known = fake::PathOf(key, parent);
    const std::string path = fake::Join(parent, subKey);
    fake::Registry::Call call{
        "create", path, options, access, className == nullptr, security == nullptr, disposition == nullptr,
        reserved};
    r.calls.push_back(call);
    if (r.failCreate != 0) return r.failCreate;
    if (!known) return fake::kInvalidHandle;
    r.keys.insert(path);
    *result = fake::OpenHandle(path);
    if (disposition != nullptr) *disposition = 1;
    return 0;
}

Long RegSetValueExA(Hkey key, const char* valueName, Dword reserved, Dword type, const std::uint8_t* data,
                    Dword size) {
    auto& r = Reg();
    std::string path;
    const bool known = fake::PathOf(key, path);
    fake::Registry::Call call{"set", path + "\\" + valueName};
    call.reserved = reserved;
    r.calls.push_back(call);
    if (r.failSet != 0) return r.failSet;
    if (!known) return fake::kInvalidHandle;
    r.values[path + "\\" + valueName] = fake::RegistryValue{type, {data, data + size}};
    return 0;
}

Long RegCloseKey(Hkey key) {
    auto& r = Reg();
    std::string path;
    fake::PathOf(key, path);
    r.calls.push_back(fake::Registry::Call{"close", path});
    if (r.open.erase(key) == 0) return fake::kInvalidHandle;
    ++r.closed;
    return 0;
}

}  // namespace sys
}  // namespace tarnwick
