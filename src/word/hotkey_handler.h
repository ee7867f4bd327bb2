#pragma once
// What the editor does with F7 and Ctrl+F7: before the host opens its find or
// replace prompt, the word under the cursor (or the stream selection on the
// cursor's line) is typed into the console input queue and selected, so the
// prompt opens with it. The key itself is always left to the host.
#include "platform/input_record.h"

namespace tarnwick {

// The key filter: runs the find-word action for a press of F7 alone or with
// Ctrl alone (left, right or both), unless the user has typed ahead. The event
// itself is always left to the host: the export answers 0 for it.
void ProcessEditorInput(const InputRecord& rec);

}  // namespace tarnwick
