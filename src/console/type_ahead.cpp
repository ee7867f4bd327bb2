#include "console/type_ahead.h"

#include <cstdint>
#include <vector>

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

}  // namespace

bool HasPendingTypedKeys() noexcept {
    try {
        const sys::Handle console = sys::GetStdHandle(sys::kStdInputHandle);
        std::vector<InputRecord> buffer;
        sys::Dword read = 0;

        // Snapshot the queue. The buffer is one record larger than the count, so
        // a peek that does not fill it has seen every waiting event; one that
        // does means events arrived after the count, and we count again.
        for (;;) {
            sys::Dword n = 0;
            if (!sys::GetNumberOfConsoleInputEvents(console, &n)) break;
            // n + 1 records must be countable in 32 bits and fit in memory; a
            // count so large that they cannot is a buffer that cannot be had.
            if (n == UINT32_MAX || n >= buffer.max_size()) return true;
            ++n;
            buffer.resize(n);
            sys::Dword peeked = 0;
            if (!sys::PeekConsoleInputA(console, buffer.data(), n, &peeked)) break;
            read = peeked;
            if (read < n) break;
        }

        const std::size_t seen = read < buffer.size() ? read : buffer.size();
        for (std::size_t i = 0; i < seen; ++i) {
            if (IsUserInput(buffer[i])) return true;
        }
        return false;
    } catch (...) {
        return true;
    }
}

}  // namespace tarnwick
