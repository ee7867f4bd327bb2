#include "word/hotkey_handler.h"

#include <algorithm>

#include "console/keystroke_injector.h"
#include "console/type_ahead.h"
#include "host/editor_service.h"
#include "word/word_scanner.h"

namespace tarnwick {

namespace {

bool IsFindKeyPress(const InputRecord& rec) {
    if (rec.eventType != kKeyEvent || rec.keyDown == 0) return false;
    const std::uint32_t m = rec.controlKeyState & 0xFF;
    if ((m & kShift) != 0) return false;
    if ((m & (kLeftAlt | kRightAlt)) != 0) return false;  // Alt, with or without Ctrl
    return rec.virtualKeyCode == kVkF7;
}

// Copies text[start, end), cut to its first kMaxPromptBytes bytes, out of the
// host's line, converts it to the console's code page and types it into the
// prompt, followed by the selection keys. Only the selection keys when the
// range is empty or reversed. Both callers pass a start of 0 or more.
void SendWordRange(const std::uint8_t* text, std::int32_t start, std::int32_t end) {
    // Only what the prompt can hold is copied, converted and typed, so F7
    // costs the same however long the range.
    const std::int32_t count = end > start ? std::min(end - start, kMaxPromptBytes) : 0;
    ByteString copy;  // stays empty when the range is empty or reversed, or cannot be copied
    if (count > 0 && CopyBytes(text + start, count, copy)) ConvertToConsoleCodePage(copy);
    TypeIntoPrompt(copy);
}

// Types the chosen text, drops what the prompt's history completion appended
// to it, then selects the prompt's line, all in one write. The selection keys
// go out on every path, alone when nothing could be typed.
void RunFindWordAction() {
    EditorStateRecord state{};
    EditorLineRecord line{};
    if (GetEditorState(state) && GetCursorLine(line) && line.text != nullptr) {
        // The host's line is never read past the length it reports. A negative
        // length reads nothing: the selection's end is then below its start,
        // and the scanner finds no word in it.
        if (state.blockType == kStreamBlock && state.blockStartLine == state.curLine && line.selStart >= 0 &&
            line.selEnd >= 0) {
            SendWordRange(line.text, line.selStart, std::min(line.selEnd, line.length));
            return;
        }
        std::int32_t start = 0;
        std::int32_t end = 0;
        if (line.length >= state.curPos && FindWordBounds(line.text, line.length, state.curPos, start, end)) {
            SendWordRange(line.text, start, end);
            return;
        }
    }
    TypeIntoPrompt(ByteString{});  // nothing to type: the selection keys alone
}

}  // namespace

void ProcessEditorInput(const InputRecord& rec) {
    if (IsFindKeyPress(rec) && !HasPendingTypedKeys()) RunFindWordAction();
}

}  // namespace tarnwick
