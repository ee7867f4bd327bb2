#include "support/fake_editor.h"

#include <cstring>

#include "support/defined_numbers.h"

namespace tarnwick::fake {

Editor& TheEditor() {
    static Editor editor;
    return editor;
}

Editor& ResetEditor(const std::string& text, std::int32_t col) {
    Editor& e = TheEditor();
    e = Editor{};
    e.text = text;
    e.line.reset(new std::uint8_t[text.size()]);
    std::memcpy(e.line.get(), text.data(), text.size());
    e.curPos = col;
    e.converted.reserve(64);
    e.convertBuffers.reserve(64);
    e.commands.reserve(64);
    e.lineNumbers.reserve(64);
    return e;
}

void SelectOnCursorLine(Editor& e, std::int32_t start, std::int32_t end) {
    e.blockType = host::kStreamSelection;
    e.blockStartLine = e.curLine;
    e.selStart = start;
    e.selEnd = end;
}

std::int32_t TARNWICK_STDCALL EditorEntry(std::int32_t command, void* param) {
    Editor& e = TheEditor();
    e.commands.push_back(command);
    switch (command) {
        case host::kEditorGetState: {
            if (e.failState) return 0;
            auto* state = static_cast<EditorStateRecord*>(param);
            std::memset(state, 0x5A, sizeof *state);  // the host fills what it fills
            state->curLine = e.curLine;
            state->curPos = e.curPos;
            state->blockType = e.blockType;
            state->blockStartLine = e.blockStartLine;
            return 1;
        }
        case host::kEditorGetLine: {
            auto* line = static_cast<EditorLineRecord*>(param);
            e.lineNumbers.push_back(line->lineNumber);
            if (e.failLine) return 0;
            line->text = e.nullText ? nullptr : e.placedText ? e.placedText : e.line.get();
            line->endOfLine = "\r\n";
            line->length = e.reportedLength.value_or(static_cast<std::int32_t>(e.text.size()));
            line->selStart = e.selStart;
            line->selEnd = e.selEnd;
            return 1;
        }
        case host::kEditorToConsoleCodePage: {
            auto* convert = static_cast<TextConvertRecord*>(param);
            e.convertBuffers.push_back(convert->text);
            e.converted.emplace_back(reinterpret_cast<const char*>(convert->text),
                                     static_cast<std::size_t>(convert->length));
            if (e.throwInConvert) throw 42;
            if (e.convert) e.convert(convert->text, convert->length);
            return 1;
        }
        default:
            return 0;
    }
}

}  // namespace tarnwick::fake
