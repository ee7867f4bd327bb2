#pragma once
// The host's side of a one-line input field, as its find and replace prompts
// read keys: enough of it to show what the plug-in's keystrokes leave there.
#include <cstddef>
#include <string>

#include "platform/input_record.h"

namespace tarnwick::demo {

struct PromptField {
    std::string text;
    std::size_t caret = 0;
    // The selected part, [selStart, selEnd); empty when equal.
    std::size_t selStart = 0;
    std::size_t selEnd = 0;
};

// Applies one console input event: a printable character replaces the
// selection (if any) and is inserted at the caret; Home and End move the caret,
// and with Shift held select from the caret; releases and other keys do
// nothing.
void ApplyKey(PromptField& field, const InputRecord& rec);

// The text with its selected part in brackets, e.g. "[count]".
std::string Render(const PromptField& field);

}  // namespace tarnwick::demo
