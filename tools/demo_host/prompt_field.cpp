#include "prompt_field.h"

#include "support/defined_numbers.h"

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

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(const std::string& entry, const std::string& text) {
    if (entry.size() < text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (Folded(entry[i]) != Folded(text[i])) return false;
    }
    return true;
}

// The host's history completion, after a character typed at the end.
void Complete(PromptField& f) {
    for (const std::string& entry : f.history) {
        if (!StartsWithIgnoringCase(entry, f.text)) continue;
        const std::size_t typed = f.text.size();
        f.text += entry.substr(typed);
        f.selStart = typed;
        f.selEnd = f.text.size();
        f.caret = typed;
        return;
    }
}

}  // namespace

PromptField OpenPrompt(const std::vector<std::string>& history) {
    PromptField f;
    f.history = history;
    if (!history.empty()) f.text = history.front();
    f.unchanged = !f.text.empty();
    MoveCaret(f, f.text.size(), false);
    return f;
}

void ApplyKey(PromptField& f, const InputRecord& rec) {
    if (rec.eventType != os::kKeyEvent || rec.keyDown == 0) return;
    const bool shift = (rec.controlKeyState & os::kShiftPressed) != 0;
    const bool ctrl = (rec.controlKeyState & (os::kLeftCtrlPressed | os::kRightCtrlPressed)) != 0;
    switch (rec.virtualKeyCode) {
        case os::kVkHome:
            f.unchanged = false;
            MoveCaret(f, 0, shift);
            return;
        case os::kVkEnd:
            f.unchanged = false;
            MoveCaret(f, f.text.size(), shift);
            return;
        case os::kVkK:
            if (!ctrl) break;
            f.unchanged = false;
            f.text.erase(f.caret);
            MoveCaret(f, f.caret, false);
            return;
        default:
            break;
    }
    if (rec.character < 0x20) return;
    if (f.unchanged) {
        f.text.clear();
        f.unchanged = false;
        MoveCaret(f, 0, false);
    } else if (f.selStart != f.selEnd) {
        f.text.erase(f.selStart, f.selEnd - f.selStart);
        f.caret = f.selStart;
    } else if (f.text.size() >= kFieldCapacity) {
        return;  // a full field refuses the key
    }
    f.text.insert(f.caret, 1, static_cast<char>(rec.character));
    MoveCaret(f, f.caret + 1, false);
    if (f.caret == f.text.size()) Complete(f);
}

std::string Render(const PromptField& f) {
    if (f.selStart == f.selEnd) return f.text;
    return f.text.substr(0, f.selStart) + "[" + f.text.substr(f.selStart, f.selEnd - f.selStart) + "]" +
           f.text.substr(f.selEnd);
}

}  // namespace tarnwick::demo
