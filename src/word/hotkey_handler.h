#pragma once
// What the editor does with F7 and Ctrl+F7: before the host opens its find or
// replace prompt, the word under the cursor (or the stream selection on the
// cursor's line) is typed into the console input queue and selected, so the
// prompt opens with it. The key itself is always left to the host.
#include <cstdint>

#include "platform/input_record.h"

namespace tarnwick {

// The key filter: runs the find-word action for a press of F7 alone or with
// Ctrl alone (left, right or both), unless the user has typed ahead. The event
// itself is always left to the host: the export answers 0 for it.
void ProcessEditorInput(const InputRecord& rec);

// Types the chosen text, drops what the prompt's history completion appended
// to it, then selects the prompt's line, all in one write. The selection keys
// go out on every path, alone when nothing could be typed.
void RunFindWordAction();

// Copies text[start, end), cut to its first kMaxPromptBytes bytes, out of the
// host's line, converts it to the console's code page and types it into the
// prompt, followed by the selection keys. Only the selection keys when the
// range is empty or reversed. `start` is never negative: the selection is
// used only from a column of 0 or more, and the scanner's word starts there.
void SendWordRange(const std::uint8_t* text, std::int32_t start, std::int32_t end);

}  // namespace tarnwick
