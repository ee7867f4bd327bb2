#pragma once
// The host's side of a one-line input field, as its find and replace prompts
// read keys: enough of it to show what the plug-in's keystrokes leave there,
// the field's memory included.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/input_record.h"

namespace tarnwick::demo {

// The most bytes the field holds, as the host's find and replace fields do.
constexpr std::size_t kFieldCapacity = 1023;

struct PromptField {
    std::string text;
    std::size_t caret = 0;
    // The selected part, [selStart, selEnd); empty when equal.
    std::size_t selStart = 0;
    std::size_t selEnd = 0;
    // The field still holds the previous search text, untouched: the first
    // printable character replaces all of it.
    bool unchanged = false;
    // What the field completes typed text from, most recent first.
    std::vector<std::string> history;
};

// A prompt as the host opens it: holding the most recent history entry (the
// previous search text, if any), marked unchanged, the caret after it.
PromptField OpenPrompt(const std::vector<std::string>& history);

// Applies one console input event:
//   - a printable character replaces the unchanged text, or else the
//     selection, and is inserted at the caret, unless the field then holds
//     kFieldCapacity bytes already (the key is refused); typed at the end of the text,
//     it is completed from the history: the first entry (most recent first)
//     that starts with the text, compared without regard to the case of
//     ASCII letters, has its rest appended and selected, the caret staying
//     after the typed text (an entry equal to the text appends nothing);
//   - Home and End move the caret, and with Shift held select from it;
//   - Ctrl+K deletes from the caret to the end of the text;
//   - Home, End and Ctrl+K clear the unchanged mark;
//   - releases and other keys do nothing.
void ApplyKey(PromptField& field, const InputRecord& rec);

// The text with its selected part in brackets, e.g. "[count]".
std::string Render(const PromptField& field);

}  // namespace tarnwick::demo
