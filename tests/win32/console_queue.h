#pragma once
// The real console input queue of a test program run under Wine.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/input_record.h"
#include "support/defined_numbers.h"

namespace tarnwick::win32 {

inline HANDLE ConsoleInput() { return GetStdHandle(STD_INPUT_HANDLE); }

inline std::uint16_t RealScanCode(std::uint16_t vk) {
    return static_cast<std::uint16_t>(MapVirtualKeyA(vk, 0));
}

inline DWORD PendingEvents() {
    DWORD n = 0;
    GetNumberOfConsoleInputEvents(ConsoleInput(), &n);
    return n;
}

// Removes and returns everything waiting in the queue.
inline std::vector<InputRecord> ReadAll() {
    std::vector<InputRecord> out;
    for (DWORD n = PendingEvents(); n > 0; n = PendingEvents()) {
        std::vector<INPUT_RECORD> buf(n);
        DWORD read = 0;
        if (!ReadConsoleInputA(ConsoleInput(), buf.data(), n, &read) || read == 0) break;
        for (DWORD i = 0; i < read; ++i) {
            InputRecord r{};
            static_assert(sizeof r == sizeof buf[i]);
            std::memcpy(&r, &buf[i], sizeof r);
            // Reading through the A call, the console converts each character
            // from its wide form and leaves that form's high byte after it:
            // the console's own byte, not one that was written.
            if (r.eventType == os::kKeyEvent) r.characterHigh = 0;
            out.push_back(r);
        }
    }
    return out;
}

// Appends one raw record, as the user's keyboard would.
inline void Queue(const InputRecord& rec) {
    INPUT_RECORD raw;
    std::memcpy(&raw, &rec, sizeof raw);
    DWORD written = 0;
    WriteConsoleInputA(ConsoleInput(), &raw, 1, &written);
}

}  // namespace tarnwick::win32
