#include "console/type_ahead.h"

#include <cstdint>
#include <cstring>

#include "platform/heap_block.h"
#include "platform/sys.h"

namespace tarnwick {

namespace {

// Keys that change what other keys mean but do nothing in a prompt of their own.
bool IsModifierOrLockKey(std::uint16_t vk) {
    switch (vk) {
        case 0x10:  // Shift
        case 0x11:  // Ctrl
        case 0x12:  // Alt
        case 0x14:  // Caps Lock
        case 0x5B:  // left Windows key
        case 0x5C:  // right Windows key
        case 0x90:  // Num Lock
        case 0x91:  // Scroll Lock
        case 0xA0:  // left Shift
        case 0xA1:  // right Shift
        case 0xA2:  // left Ctrl
        case 0xA3:  // right Ctrl
        case 0xA4:  // left Alt
        case 0xA5:  // right Alt
            return true;
        default:
            return false;
    }
}

// Whether a waiting event is the user's own input, which the plug-in's keys
// must not overtake.
bool IsUserInput(const InputRecord& rec) {
    if (rec.eventType == kKeyEvent) {
        return rec.keyDown != 0 && (rec.character != 0 || !IsModifierOrLockKey(rec.virtualKeyCode));
    }
    if (rec.eventType == kMouseEvent) {
        const MouseEventFields mouse = MouseFields(rec);
        return mouse.buttonState != 0 || (mouse.eventFlags & (kMouseWheeled | kMouseHWheeled)) != 0;
    }
    return false;
}

// Grows `buffer` from `held` to `records` records, keeping those it holds and
// zeroing the new ones. False, with `buffer` as it was, when the memory cannot
// be had.
bool Grow(HeapArray<InputRecord>& buffer, std::size_t held, std::size_t records) {
    auto* grown = static_cast<InputRecord*>(
        sys::HeapAlloc(sys::GetProcessHeap(), sys::kHeapZeroMemory, records * sizeof(InputRecord)));
    if (grown == nullptr) return false;
    if (held != 0) std::memcpy(grown, buffer.get(), held * sizeof(InputRecord));
    buffer.reset(grown);
    return true;
}

}  // namespace

bool HasPendingTypedKeys() noexcept {
    const sys::Handle console = sys::GetStdHandle(sys::kStdInputHandle);
    HeapArray<InputRecord> buffer;
    sys::Dword size = 0;  // records the buffer holds
    sys::Dword read = 0;

    // Snapshot the queue. The buffer is one record larger than the count, so
    // a peek that does not fill it has seen every waiting event; one that
    // does means events arrived after the count, and we count again.
    for (;;) {
        sys::Dword n = 0;
        if (!sys::GetNumberOfConsoleInputEvents(console, &n)) break;
        // A buffer that cannot be had: typing nothing beats typing out of order.
        if (n >= kMaxRecordsPerCall) return true;  // n + 1 records must fit one peek
        ++n;
        if (n > size) {
            if (!Grow(buffer, size, n)) return true;
            size = n;
        }
        sys::Dword peeked = 0;
        if (!sys::PeekConsoleInputA(console, buffer.get(), n, &peeked)) break;
        read = peeked;
        if (read < n) break;
    }

    const sys::Dword seen = read < size ? read : size;
    for (sys::Dword i = 0; i < seen; ++i) {
        if (IsUserInput(buffer[i])) return true;
    }
    return false;
}

}  // namespace tarnwick
