#pragma once
// The host's editor command entry, as the plug-in binds and calls it.
#include "console/byte_string.h"
#include "host/editor_records.h"

namespace tarnwick {

// The bound entry: null from loading until the host binds the plug-in, and
// null again if the host binds a null entry.
extern EditorCommandEntry g_editorCommand;

// Command 6. False when unbound or when the host fails it.
bool GetEditorState(EditorStateRecord& state);

// Command 0 for the line that holds the cursor (line number -1). False when
// unbound or when the host fails it.
bool GetCursorLine(EditorLineRecord& line);

// Command 10 on the string's own buffer and exact length, converting it in
// place from the editor's code table to the console's code page. Nothing is
// called when unbound or when the string is empty; the result is ignored.
void ConvertToConsoleCodePage(ByteString& s);

}  // namespace tarnwick
