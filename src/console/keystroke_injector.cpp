#include "console/keystroke_injector.h"

#include "platform/heap_block.h"

namespace tarnwick {

namespace {

constexpr std::uint16_t kVkControl = 0x11;
constexpr std::uint16_t kVkK = 0x4B;
constexpr std::uint8_t kCtrlK = 0x0B;  // the character Ctrl+K carries

void Append(KeyBatch& batch, const InputRecord& rec) {
    if (batch.count < batch.capacity) batch.records[batch.count++] = rec;
}

// How many of the string's bytes are typed at most: what the prompt holds.
std::int32_t TypableBytes(const ByteString& s) {
    return s.length < kMaxPromptBytes ? s.length : kMaxPromptBytes;
}

}  // namespace

void InjectKey(KeyBatch& batch, std::uint16_t vk, std::uint8_t ch, std::uint32_t state, std::uint32_t mode) {
    InputRecord rec{};
    rec.eventType = kKeyEvent;
    rec.repeatCount = 1;
    rec.virtualKeyCode = vk;
    rec.virtualScanCode = static_cast<std::uint16_t>(sys::MapVirtualKeyA(vk, 0));
    rec.character = ch;
    rec.controlKeyState = state;

    if ((mode & kPress) != 0) {
        rec.keyDown = kKeyPressed;
        Append(batch, rec);
    }
    if ((mode & kRelease) != 0) {
        rec.keyDown = kKeyReleased;
        Append(batch, rec);
    }
}

void TypeChar(KeyBatch& batch, std::uint8_t ch) { InjectKey(batch, kVkTyped, ch, 0, kPress | kRelease); }

std::int32_t TypeText(KeyBatch& batch, const ByteString& s) {
    const std::int32_t length = TypableBytes(s);
    std::int32_t typed = 0;
    for (std::int32_t i = 0; i < length; ++i) {
        const std::uint8_t ch = s.bytes[static_cast<std::size_t>(i)];
        if (ch < 0x20) continue;
        TypeChar(batch, ch);
        ++typed;
    }
    return typed;
}

void DropAppendedCompletion(KeyBatch& batch) {
    InjectKey(batch, kVkControl, 0, kLeftCtrl, kPress);
    InjectKey(batch, kVkK, kCtrlK, kLeftCtrl, kPress | kRelease);
    InjectKey(batch, kVkControl, 0, 0, kRelease);
}

void SelectPromptLine(KeyBatch& batch) {
    InjectKey(batch, kVkHome, 0, 0, kPress | kRelease);
    InjectKey(batch, kVkShift, 0, kShift, kPress);
    InjectKey(batch, kVkEnd, 0, kShift, kPress | kRelease);
    InjectKey(batch, kVkShift, 0, 0, kRelease);
}

void TypeIntoPrompt(const ByteString& s) {
    // Nothing typed: the selection keys alone, from here, with no allocation.
    InputRecord selectionOnly[kSelectEvents];
    KeyBatch batch{selectionOnly, kSelectEvents, 0};

    HeapArray<InputRecord> typing;
    if (s.length > 0) {
        const auto records = static_cast<std::uint32_t>(2 * TypableBytes(s)) + kDropEvents + kSelectEvents;
        typing.reset(static_cast<InputRecord*>(
            sys::HeapAlloc(sys::GetProcessHeap(), 0, records * sizeof(InputRecord))));
        if (typing) {
            batch = KeyBatch{typing.get(), records, 0};
            if (TypeText(batch, s) > 0) DropAppendedCompletion(batch);
        }
    }
    SelectPromptLine(batch);

    const sys::Handle console = sys::GetStdHandle(sys::kStdInputHandle);
    sys::Dword written = 0;
    sys::WriteConsoleInputA(console, batch.records, batch.count, &written);
}

}  // namespace tarnwick
