#include "host/editor_service.h"

namespace tarnwick {

EditorCommandEntry g_editorCommand = nullptr;

bool GetEditorState(EditorStateRecord& state) {
    return g_editorCommand != nullptr && g_editorCommand(kCmdGetInfo, &state) != 0;
}

bool GetCursorLine(EditorLineRecord& line) {
    line.lineNumber = -1;
    return g_editorCommand != nullptr && g_editorCommand(kCmdGetString, &line) != 0;
}

void ConvertToConsoleCodePage(ByteString& s) {
    if (g_editorCommand == nullptr || s.length <= 0) return;
    TextConvertRecord convert{s.bytes.get(), s.length};
    g_editorCommand(kCmdEditorToOem, &convert);
}

}  // namespace tarnwick
