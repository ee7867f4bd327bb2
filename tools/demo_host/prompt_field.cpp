#include "prompt_field.h"

namespace tarnwick::demo {

namespace {

void MoveCaret(PromptField& f, std::size_t to, bool select) {
    if (select) {
        const std::size_t anchor =
            f.selStart == f.selEnd ? f.caret : (f.caret == f.selStart ? f.selEnd : f.selStart);
        f.selStart = anchor < to ? anchor : to;
        f.selEnd = anchor < to ? to : anchor;
    } else {
        f.selStart = f.selEnd = to;
    }
    f.caret = to;
}

}  // namespace

void ApplyKey(PromptField& f, const InputRecord& rec) {
    if (rec.eventType != kKeyEvent || rec.keyDown == 0) return;
    const bool shift = (rec.controlKeyState & kShift) != 0;
    switch (rec.virtualKeyCode) {
        case kVkHome:
            MoveCaret(f, 0, shift);
            return;
        case kVkEnd:
            MoveCaret(f, f.text.size(), shift);
            return;
        default:
            break;
    }
    if (rec.character < 0x20) return;
    if (f.selStart != f.selEnd) {
        f.text.erase(f.selStart, f.selEnd - f.selStart);
        f.caret = f.selStart;
    }
    f.text.insert(f.caret, 1, static_cast<char>(rec.character));
    MoveCaret(f, f.caret + 1, false);
}

std::string Render(const PromptField& f) {
    if (f.selStart == f.selEnd) return f.text;
    return f.text.substr(0, f.selStart) + "[" + f.text.substr(f.selStart, f.selEnd - f.selStart) + "]" +
           f.text.substr(f.selEnd);
}

}  // namespace tarnwick::demo
