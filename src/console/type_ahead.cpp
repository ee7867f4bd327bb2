#include "console/type_ahead.h"

#include <cstdint>
#include <vector>

#include "platform/sys.h"

namespace tarnwick {

namespace {

bool IsTypedKeyPress(const InputRecord& rec) {
    return rec.eventType == kKeyEvent && rec.keyDown != 0 && rec.character != 0;
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
            if (IsTypedKeyPress(buffer[i])) return true;
        }
        return false;
    } catch (...) {
        return true;
    }
}

}  // namespace tarnwick
