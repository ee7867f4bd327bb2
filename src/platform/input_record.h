#pragma once
// The console input record (Windows' INPUT_RECORD), as the bytes the console
// queue holds. The plug-in writes and filters key events; the type-ahead scan
// also reads mouse events, through MouseFields.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarnwick {

struct InputRecord {
    std::uint16_t eventType;  // 1 = key event
    std::uint16_t reserved;   // zero
    std::int32_t keyDown;     // -1 (any nonzero) press, 0 release
    std::uint16_t repeatCount;
    std::uint16_t virtualKeyCode;
    std::uint16_t virtualScanCode;
    std::uint8_t character;         // in the console's 8-bit code page, 0 for none
    std::uint8_t characterHigh;     // the high byte of the wide character: not ours
    std::uint32_t controlKeyState;  // 0x10 Shift; the rest as Windows defines them
};

static_assert(sizeof(InputRecord) == 20);
static_assert(offsetof(InputRecord, keyDown) == 4);
static_assert(offsetof(InputRecord, repeatCount) == 8);
static_assert(offsetof(InputRecord, virtualKeyCode) == 10);
static_assert(offsetof(InputRecord, virtualScanCode) == 12);
static_assert(offsetof(InputRecord, character) == 14);
static_assert(offsetof(InputRecord, characterHigh) == 15);
static_assert(offsetof(InputRecord, controlKeyState) == 16);

// The most records one console call may be given: their count must fit the
// call's 32-bit length, and their bytes a size_t.
constexpr std::size_t kMaxRecordsPerCall =
    SIZE_MAX / sizeof(InputRecord) < UINT32_MAX ? SIZE_MAX / sizeof(InputRecord) : UINT32_MAX;

// The bytes after the event type of a mouse event (event type 2).
struct MouseEventFields {
    std::int16_t x;
    std::int16_t y;
    std::uint32_t buttonState;  // a bit per button held; a wheel's turn in the high word
    std::uint32_t controlKeyState;
    std::uint32_t eventFlags;  // kMouseWheeled, kMouseHWheeled, ...
};
static_assert(sizeof(MouseEventFields) == sizeof(InputRecord) - offsetof(InputRecord, keyDown));

inline void SetMouseFields(InputRecord& rec, const MouseEventFields& m) {
    std::memcpy(reinterpret_cast<unsigned char*>(&rec) + offsetof(InputRecord, keyDown), &m, sizeof m);
}

inline MouseEventFields MouseFields(const InputRecord& rec) {
    MouseEventFields m;
    std::memcpy(&m, reinterpret_cast<const unsigned char*>(&rec) + offsetof(InputRecord, keyDown), sizeof m);
    return m;
}

constexpr std::uint16_t kKeyEvent = 1;
constexpr std::uint16_t kMouseEvent = 2;
constexpr std::uint32_t kMouseWheeled = 0x0004;
constexpr std::uint32_t kMouseHWheeled = 0x0008;
constexpr std::int32_t kKeyPressed = -1;
constexpr std::int32_t kKeyReleased = 0;

// Control-key state bits.
constexpr std::uint32_t kRightAlt = 0x01;
constexpr std::uint32_t kLeftAlt = 0x02;
constexpr std::uint32_t kRightCtrl = 0x04;
constexpr std::uint32_t kLeftCtrl = 0x08;
constexpr std::uint32_t kShift = 0x10;

// Virtual-key codes.
constexpr std::uint16_t kVkShift = 0x10;
constexpr std::uint16_t kVkEnd = 0x23;
constexpr std::uint16_t kVkHome = 0x24;
constexpr std::uint16_t kVkF7 = 0x76;

}  // namespace tarnwick
