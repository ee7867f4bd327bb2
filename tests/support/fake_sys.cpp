#include "support/fake_sys.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "support/defined_numbers.h"

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

Heap& TheHeap() {
    static Heap heap;
    return heap;
}

void Reset() {
    Console() = ConsoleQueue{};
    Reg() = Registry{};
    std::map<void*, std::size_t> live = std::move(TheHeap().live);
    TheHeap() = Heap{};
    TheHeap().live = std::move(live);
}

std::uint16_t ScanCode(std::uint16_t vk) { return static_cast<std::uint16_t>(0x100 + vk); }

sys::Handle ConsoleHandle() { return reinterpret_cast<sys::Handle>(std::uintptr_t{0xC0DE}); }

namespace {

sys::Hkey CurrentUser() { return reinterpret_cast<sys::Hkey>(std::uintptr_t{0x80000001}); }

sys::Handle ProcessHeap() { return reinterpret_cast<sys::Handle>(std::uintptr_t{0x4EA9}); }

// Fills a block with kStaleBytes over and over, as fast as memset: the
// pattern, then what is filled copied after itself.
void FillStale(std::uint8_t* block, std::size_t bytes) {
    std::size_t filled = std::min(bytes, sizeof kStaleBytes);
    std::memcpy(block, kStaleBytes, filled);
    while (filled < bytes) {
        const std::size_t n = std::min(filled, bytes - filled);
        std::memcpy(block + filled, block, n);
        filled += n;
    }
}

// Whether the next heap request may be granted: the right heap, and no fault.
bool Grant(sys::Handle heap, std::size_t bytes) {
    Heap& h = TheHeap();
    if (heap != ProcessHeap()) {
        ++h.badCalls;
        return false;
    }
    const int request = ++h.requests;
    if (bytes > h.largestRequest) h.largestRequest = bytes;
    return request != h.failRequest && (h.failAbove == 0 || bytes <= h.failAbove);
}

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
    ++Console().handleCalls;
    return which == os::kStdInputHandle ? fake::ConsoleHandle() : nullptr;
}

bool GetNumberOfConsoleInputEvents(Handle console, Dword* count) {
    auto& q = Console();
    const int call = ++q.countCalls;
    q.handlesUsed.push_back(console);
    if (call == q.failCountCall || console != fake::ConsoleHandle()) return false;
    *count = q.claimedCount ? *q.claimedCount : static_cast<Dword>(q.events.size());
    if (q.afterCount) q.afterCount(call);
    return true;
}

bool PeekConsoleInputA(Handle console, InputRecord* buffer, Dword length, Dword* read) {
    auto& q = Console();
    const int call = ++q.peekCalls;
    q.peekLengths.push_back(length);
    q.handlesUsed.push_back(console);
    if (call == q.failPeekCall || console != fake::ConsoleHandle()) return false;
    Dword n = 0;
    for (; n < length && n < q.events.size(); ++n) buffer[n] = q.events[n];
    *read = n + q.peekOverstates;
    return true;
}

bool WriteConsoleInputA(Handle console, const InputRecord* records, Dword length, Dword* written) {
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

Handle GetProcessHeap() { return fake::ProcessHeap(); }

void* HeapAlloc(Handle heap, Dword flags, std::size_t bytes) {
    if (!fake::Grant(heap, bytes)) return nullptr;
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr) return nullptr;
    // Without HEAP_ZERO_MEMORY the bytes are whatever the heap had: never zero here.
    if ((flags & os::kHeapZeroMemory) != 0) {
        std::memset(block, 0, bytes);
    } else {
        fake::FillStale(static_cast<std::uint8_t*>(block), bytes);
    }
    fake::TheHeap().live[block] = bytes;
    ++fake::TheHeap().allocations;
    fake::TheHeap().bytesGranted += bytes;
    return block;
}

bool HeapFree(Handle heap, Dword /*flags*/, void* block) {
    fake::Heap& h = fake::TheHeap();
    if (block == nullptr) return true;
    auto it = h.live.find(block);
    if (heap != fake::ProcessHeap() || it == h.live.end()) {
        ++h.badCalls;
        return false;
    }
    std::free(block);
    h.live.erase(it);
    ++h.frees;
    return true;
}

std::uint32_t MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType) {
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
