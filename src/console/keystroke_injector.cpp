#include "console/keystroke_injector.h"

namespace tarnwick {

void InjectKey(sys::Handle console, std::uint16_t vk, std::uint8_t ch, std::uint32_t state,
               std::uint32_t mode) {
    InputRecord rec{};
    rec.eventType = kKeyEvent;
    rec.repeatCount = 1;
    rec.virtualKeyCode = vk;
    rec.virtualScanCode = static_cast<std::uint16_t>(sys::MapVirtualKeyA(vk, 0));
    rec.character = ch;
    rec.controlKeyState = state;

    sys::Dword written = 0;
    if ((mode & kPress) != 0) {
        rec.keyDown = kKeyPressed;
        sys::WriteConsoleInputA(console, &rec, 1, &written);
    }
    if ((mode & kRelease) != 0) {
        rec.keyDown = kKeyReleased;
        sys::WriteConsoleInputA(console, &rec, 1, &written);
    }
}

void TypeChar(sys::Handle console, std::uint8_t ch) {
    InjectKey(console, kVkTyped, ch, 0, kPress | kRelease);
}

void TypeText(const ByteString& s) {
    const sys::Handle console = sys::GetStdHandle(sys::kStdInputHandle);
    for (std::int32_t i = 0; i < s.length; ++i) {
        const std::uint8_t ch = s.bytes[static_cast<std::size_t>(i)];
        if (ch >= 0x20) TypeChar(console, ch);
    }
}

void SelectPromptLine() {
    const sys::Handle console = sys::GetStdHandle(sys::kStdInputHandle);
    InjectKey(console, kVkHome, 0, 0, kPress | kRelease);
    InjectKey(console, kVkShift, 0, kShift, kPress);
    InjectKey(console, kVkEnd, 0, kShift, kPress | kRelease);
    InjectKey(console, kVkShift, 0, 0, kRelease);
}

}  // namespace tarnwick
