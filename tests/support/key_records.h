#pragma once
// Console input records as the tests expect them, compared byte for byte.
// Their values are Windows' own numbers (support/defined_numbers.h), not the
// plug-in's constants, so that a comparison checks the numbers themselves.
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "platform/input_record.h"
#include "support/defined_numbers.h"

namespace tarnwick {

inline bool operator==(const InputRecord& a, const InputRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline void PrintTo(const InputRecord& r, std::ostream* os) {
    *os << "{type " << r.eventType << ", down " << r.keyDown << ", repeat " << r.repeatCount << ", vk 0x"
        << std::hex << r.virtualKeyCode << ", scan 0x" << r.virtualScanCode << ", char 0x" << int{r.character}
        << ", high 0x" << int{r.characterHigh} << ", state 0x" << r.controlKeyState << std::dec << "}";
}

using ScanCodeOf = std::uint16_t (*)(std::uint16_t vk);

inline InputRecord KeyRecord(std::uint16_t vk, std::uint8_t ch, bool down, std::uint32_t state,
                             ScanCodeOf scan) {
    InputRecord r{};
    r.eventType = os::kKeyEvent;
    r.keyDown = down ? -1 : 0;
    r.repeatCount = 1;
    r.virtualKeyCode = vk;
    r.virtualScanCode = scan(vk);
    r.character = ch;
    r.controlKeyState = state;
    return r;
}

// What typing `text` must append: a press and a release of vk 1 for each
// byte from 0x20 up.
inline std::vector<InputRecord> TypedRecords(const std::string& text, ScanCodeOf scan) {
    std::vector<InputRecord> out;
    for (char c : text) {
        const auto ch = static_cast<std::uint8_t>(c);
        if (ch < 0x20) continue;
        out.push_back(KeyRecord(0x01, ch, true, 0, scan));
        out.push_back(KeyRecord(0x01, ch, false, 0, scan));
    }
    return out;
}

// Home down and up, Shift down, End down and up with Shift held, Shift up.
inline std::vector<InputRecord> SelectionRecords(ScanCodeOf scan) {
    return {KeyRecord(os::kVkHome, 0, true, 0, scan),
            KeyRecord(os::kVkHome, 0, false, 0, scan),
            KeyRecord(os::kVkShift, 0, true, os::kShiftPressed, scan),
            KeyRecord(os::kVkEnd, 0, true, os::kShiftPressed, scan),
            KeyRecord(os::kVkEnd, 0, false, os::kShiftPressed, scan),
            KeyRecord(os::kVkShift, 0, false, 0, scan)};
}

// Ctrl down, K (carrying Ctrl+K's character, 0x0B) down and up with left Ctrl
// held, Ctrl up.
inline std::vector<InputRecord> DropCompletionRecords(ScanCodeOf scan) {
    return {KeyRecord(os::kVkControl, 0, true, os::kLeftCtrlPressed, scan),
            KeyRecord(os::kVkK, 0x0B, true, os::kLeftCtrlPressed, scan),
            KeyRecord(os::kVkK, 0x0B, false, os::kLeftCtrlPressed, scan),
            KeyRecord(os::kVkControl, 0, false, 0, scan)};
}

inline std::vector<InputRecord> Concat(std::vector<InputRecord> a, const std::vector<InputRecord>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A mouse event with these buttons held and these event flags.
inline InputRecord MouseRecord(std::uint32_t buttons, std::uint32_t flags) {
    InputRecord r{};
    r.eventType = os::kMouseEvent;
    MouseEventFields m{};
    m.x = 12;
    m.y = 3;
    m.buttonState = buttons;
    m.eventFlags = flags;
    SetMouseFields(r, m);
    return r;
}

// A mouse event: type 2, whatever its other bytes say (read as a mouse event,
// a move with no button down).
inline InputRecord MouseRecord() {
    InputRecord r{};
    r.eventType = os::kMouseEvent;
    r.keyDown = 0x00050003;  // the mouse position, as a key event would misread it
    r.character = 0x41;
    return r;
}

// What one action appends for `text`: the typed bytes, Ctrl+K when any byte
// was typed, then the selection keys.
inline std::vector<InputRecord> ActionRecords(const std::string& text, ScanCodeOf scan) {
    std::vector<InputRecord> typed = TypedRecords(text, scan);
    if (!typed.empty()) typed = Concat(typed, DropCompletionRecords(scan));
    return Concat(typed, SelectionRecords(scan));
}

}  // namespace tarnwick
