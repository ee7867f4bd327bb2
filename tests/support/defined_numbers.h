#pragma once
// What Windows and the host define, as the numbers they use. The tests, the
// fuzz targets, the benchmarks and the demo host play the console and the
// host with these, never with the plug-in's own constants: a wrong number in
// the plug-in then fails them, where a borrowed constant would agree with it.
#include <cstdint>

// Windows: the console input record, GetStdHandle and HeapAlloc.
namespace tarnwick::os {

// Event types of a console input record.
constexpr std::uint16_t kKeyEvent = 0x0001;
constexpr std::uint16_t kMouseEvent = 0x0002;
constexpr std::uint16_t kFocusEvent = 0x0010;

// Control-key state bits.
constexpr std::uint32_t kRightAltPressed = 0x0001;
constexpr std::uint32_t kLeftAltPressed = 0x0002;
constexpr std::uint32_t kRightCtrlPressed = 0x0004;
constexpr std::uint32_t kLeftCtrlPressed = 0x0008;
constexpr std::uint32_t kShiftPressed = 0x0010;
constexpr std::uint32_t kNumLockOn = 0x0020;
constexpr std::uint32_t kScrollLockOn = 0x0040;
constexpr std::uint32_t kCapsLockOn = 0x0080;
constexpr std::uint32_t kEnhancedKey = 0x0100;

// A mouse event's button bits and event flags.
constexpr std::uint32_t kLeftButtonPressed = 0x0001;
constexpr std::uint32_t kRightButtonPressed = 0x0002;
constexpr std::uint32_t kMouseMoved = 0x0001;
constexpr std::uint32_t kDoubleClick = 0x0002;
constexpr std::uint32_t kMouseWheeled = 0x0004;
constexpr std::uint32_t kMouseHWheeled = 0x0008;

// Virtual-key codes.
constexpr std::uint16_t kVkShift = 0x10;
constexpr std::uint16_t kVkControl = 0x11;
constexpr std::uint16_t kVkEnd = 0x23;
constexpr std::uint16_t kVkHome = 0x24;
constexpr std::uint16_t kVkK = 0x4B;
constexpr std::uint16_t kVkF6 = 0x75;
constexpr std::uint16_t kVkF7 = 0x76;
constexpr std::uint16_t kVkF8 = 0x77;
constexpr std::uint16_t kVkF10 = 0x79;

// GetStdHandle's STD_INPUT_HANDLE, and HeapAlloc's HEAP_ZERO_MEMORY.
constexpr std::uint32_t kStdInputHandle = 0xFFFFFFF6;  // -10
constexpr std::uint32_t kHeapZeroMemory = 0x00000008;

}  // namespace tarnwick::os

// The host: its editor commands and the editor state it reports.
namespace tarnwick::host {

constexpr std::int32_t kEditorGetLine = 0;
constexpr std::int32_t kEditorGetState = 6;
constexpr std::int32_t kEditorToConsoleCodePage = 10;

// The editor state's selection type for a stream selection.
constexpr std::int32_t kStreamSelection = 1;

}  // namespace tarnwick::host
