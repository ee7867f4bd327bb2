#pragma once
// A host editor behind the editor command entry: one current line, a cursor
// and an optional selection, answering commands 6, 0 and 10 and recording
// every call. The line's text lives in an allocation of exactly its length,
// so that the sanitizers catch any read past it.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/editor_records.h"

namespace tarnwick::fake {

struct Editor {
    // What the editor answers. The line is set by ResetEditor.
    std::string text;
    std::optional<std::int32_t> reportedLength;  // when set, reported instead of the text's size
    bool nullText = false;
    const std::uint8_t* placedText = nullptr;  // when set, handed out instead of the copy
    bool throwInConvert = false;               // a misbehaving host
    std::int32_t curLine = 7;
    std::int32_t curPos = 0;
    std::int32_t blockType = 0;  // 1: stream selection
    std::int32_t blockStartLine = 0;
    std::int32_t selStart = -1;
    std::int32_t selEnd = -1;
    bool failState = false;  // command 6 answers 0
    bool failLine = false;   // command 0 answers 0
    // Command 10: rewrites the buffer in place; by default it leaves it alone.
    std::function<void(std::uint8_t* text, std::int32_t length)> convert;

    // What was asked.
    std::vector<std::int32_t> commands;
    std::vector<std::int32_t> lineNumbers;  // command 0's line number, each time
    std::vector<std::string> converted;     // command 10's bytes, as given
    std::vector<const std::uint8_t*> convertBuffers;

    std::unique_ptr<std::uint8_t[]> line;  // the text handed out, sized exactly
};

Editor& TheEditor();

// A fresh editor with the line `text` and the cursor at `col`.
Editor& ResetEditor(const std::string& text = "", std::int32_t col = 0);

// A stream selection [start, end) that starts on the cursor's line.
void SelectOnCursorLine(Editor& e, std::int32_t start, std::int32_t end);

// The entry the fake host binds.
std::int32_t TARNWICK_STDCALL EditorEntry(std::int32_t command, void* param);

}  // namespace tarnwick::fake
