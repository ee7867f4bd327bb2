// A stand-in for FAR: loads tarnwick.dll the way FAR does, plays an editor
// holding a text file, presses F7 (or Ctrl+F7) through ProcessEditorInput, and
// then reads the console input queue the way FAR's find (or replace) prompt
// would, printing what the prompt holds and what is selected.
//
//   demo_host [--file PATH] [--line N] [--col C] [--select START END] [--ctrl]
//             [--queued KEY] [--history WORD]...
//
// Lines and columns count from 1 and 0, as FAR shows them; with no file, a
// built-in sample is used. --queued puts a key the user pressed (f10, left,
// esc, shift, click, a character...) in the queue before F7, still unread.
// --history gives the prompt's memory, most recent first: it opens holding
// the first word (the previous search text) and completes typed text from
// all of them, as FAR's input fields do.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/plugin_records.h"
#include "platform/input_record.h"
#include "prompt_field.h"
#include "support/defined_numbers.h"

using namespace tarnwick;

namespace {

const char kSample[] =
    "#include <stdio.h>\n"
    "\n"
    "int main(void) {\n"
    "    int count = 0;\n"
    "    while (getchar() != EOF) count++;\n"
    "    printf(\"%d caf\xE9s\\n\", count);\n"
    "}\n";

struct Options {
    std::string file;
    int line = 4;  // 1-based: "    int count = 0;"
    int col = 10;  // in "count"
    int selStart = -1;
    int selEnd = -1;
    bool ctrl = false;
    std::string queued;                // a key waiting in the queue before F7, by name
    std::vector<std::string> history;  // the prompt's history, most recent first
};

struct Editor {
    std::vector<std::string> lines;
    int curLine = 0;  // 0-based
    int curPos = 0;
    bool selection = false;
    int selStart = 0;
    int selEnd = 0;
};

Editor g_editor;

// The editor command entry the demo lends the plug-in: commands 6, 0 and 10.
std::int32_t __stdcall EditorCommand(std::int32_t command, void* param) {
    switch (command) {
        case host::kEditorGetState: {
            auto* state = static_cast<EditorStateRecord*>(param);
            std::memset(state, 0, sizeof *state);
            state->curLine = g_editor.curLine;
            state->curPos = g_editor.curPos;
            state->blockType = g_editor.selection ? host::kStreamSelection : 0;
            state->blockStartLine = g_editor.curLine;
            return 1;
        }
        case host::kEditorGetLine: {
            auto* line = static_cast<EditorLineRecord*>(param);
            const int n = line->lineNumber == -1 ? g_editor.curLine : line->lineNumber;
            if (n < 0 || n >= static_cast<int>(g_editor.lines.size())) return 0;
            const std::string& text = g_editor.lines[static_cast<std::size_t>(n)];
            line->text = reinterpret_cast<const std::uint8_t*>(text.data());
            line->endOfLine = "\r\n";
            line->length = static_cast<std::int32_t>(text.size());
            line->selStart = g_editor.selection ? g_editor.selStart : -1;
            line->selEnd = g_editor.selection ? g_editor.selEnd : -1;
            return 1;
        }
        case host::kEditorToConsoleCodePage: {
            // The editor holds Windows-1252 text; the console reads its own code page.
            auto* convert = static_cast<TextConvertRecord*>(param);
            const UINT consoleCp = GetConsoleCP();
            for (std::int32_t i = 0; i < convert->length; ++i) {
                wchar_t wide = 0;
                char narrow = '?';
                MultiByteToWideChar(1252, 0, reinterpret_cast<const char*>(convert->text + i), 1, &wide, 1);
                WideCharToMultiByte(consoleCp, 0, &wide, 1, &narrow, 1, "?", nullptr);
                convert->text[i] = static_cast<std::uint8_t>(narrow);
            }
            return 1;
        }
        default:
            return 0;
    }
}

// Keys the user may press, by name: F7 and Ctrl+F7, and those --queued takes.
struct NamedKey {
    const char* name;
    std::uint16_t vk;
    std::uint8_t ch;
    std::uint32_t state;
};
const NamedKey kNamedKeys[] = {
    {"f10", os::kVkF10, 0, 0},
    {"f7", os::kVkF7, 0, 0},
    {"ctrl+f7", os::kVkF7, 0, os::kLeftCtrlPressed},
    {"left", 0x25, 0, os::kEnhancedKey},
    {"right", 0x27, 0, os::kEnhancedKey},
    {"up", 0x26, 0, os::kEnhancedKey},
    {"down", 0x28, 0, os::kEnhancedKey},
    {"delete", 0x2E, 0, os::kEnhancedKey},
    {"esc", 0x1B, 0x1B, 0},
    {"enter", 0x0D, '\r', 0},
    {"shift", os::kVkShift, 0, os::kShiftPressed},
    {"ctrl", os::kVkControl, 0, os::kLeftCtrlPressed},
    {"click", 0, 0, 0},  // the left mouse button, below
};

// The event for a key's name: a named key, a mouse click, or the key that
// types one character.
bool NamedEvent(const std::string& name, InputRecord& rec) {
    rec = InputRecord{};
    if (name == "click") {
        MouseEventFields mouse{};
        mouse.x = 10;
        mouse.y = 2;
        mouse.buttonState = os::kLeftButtonPressed;
        rec.eventType = os::kMouseEvent;
        SetMouseFields(rec, mouse);
        return true;
    }
    rec.eventType = os::kKeyEvent;
    rec.keyDown = -1;
    rec.repeatCount = 1;
    for (const NamedKey& k : kNamedKeys) {
        if (name == k.name) {
            rec.virtualKeyCode = k.vk;
            rec.character = k.ch;
            rec.controlKeyState = k.state;
            rec.virtualScanCode = static_cast<std::uint16_t>(MapVirtualKeyA(k.vk, 0));
            return true;
        }
    }
    if (name.size() != 1 || static_cast<unsigned char>(name[0]) < 0x20) return false;
    rec.virtualKeyCode = static_cast<std::uint16_t>(VkKeyScanA(name[0]) & 0xFF);
    rec.virtualScanCode = static_cast<std::uint16_t>(MapVirtualKeyA(rec.virtualKeyCode, 0));
    rec.character = static_cast<std::uint8_t>(name[0]);
    return true;
}

bool ParseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (a == "--ctrl") {
            o.ctrl = true;
        } else if (a == "--file" && (v = next())) {
            o.file = v;
        } else if (a == "--line" && (v = next())) {
            o.line = std::atoi(v);
        } else if (a == "--col" && (v = next())) {
            o.col = std::atoi(v);
        } else if (a == "--queued" && (v = next())) {
            o.queued = v;
        } else if (a == "--history" && (v = next())) {
            o.history.push_back(v);
        } else if (a == "--select" && i + 2 < argc) {
            o.selStart = std::atoi(argv[++i]);
            o.selEnd = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr,
                         "usage: demo_host [--file PATH] [--line N] [--col C] [--select START END] [--ctrl]\n"
                         "                 [--queued "
                         "f10|f7|ctrl+f7|left|right|up|down|delete|esc|enter|shift|ctrl|click|"
                         "CHAR]\n"
                         "                 [--history WORD]...\n");
            return false;
        }
    }
    return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// A text longer than this is shown as its first this many bytes, an
// ellipsis and its length.
constexpr std::size_t kShownBytes = 60;
const char kEllipsis[] = "\xE2\x80\xA6";  // U+2026 in UTF-8, as a terminal shows it

std::string Shown(const std::string& text) {
    std::string out;
    for (char c : text.substr(0, kShownBytes)) {
        if (c == '\t') {
            out += "\\t";
        } else {
            out += c;
        }
    }
    return out;
}

// The editor's line, in quotes.
std::string ShownLine(const std::string& line) {
    if (line.size() <= kShownBytes) return "\"" + Shown(line) + "\"";
    return "\"" + Shown(line) + kEllipsis + "\" (" + std::to_string(line.size()) + " bytes)";
}

// The prompt's text with its selected part in brackets.
std::string ShownPrompt(const demo::PromptField& field) {
    if (field.text.empty()) return "(empty)";
    if (field.text.size() <= kShownBytes) return demo::Render(field);
    demo::PromptField cut = field;
    cut.text = field.text.substr(0, kShownBytes) + kEllipsis;
    auto at = [&cut](std::size_t i) { return i <= kShownBytes ? i : cut.text.size(); };
    cut.selStart = at(field.selStart);
    cut.selEnd = at(field.selEnd);
    cut.caret = at(field.caret);
    return demo::Render(cut) + " (" + std::to_string(field.text.size()) + " bytes)";
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseArgs(argc, argv, o)) return 2;
    InputRecord queued{};
    if (!o.queued.empty() && !NamedEvent(o.queued, queued)) {
        std::fprintf(stderr, "demo_host: no key named '%s' for --queued\n", o.queued.c_str());
        return 2;
    }

    std::string text = kSample;
    if (!o.file.empty()) {
        std::ifstream in(o.file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "demo_host: cannot read %s\n", o.file.c_str());
            return 2;
        }
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    g_editor.lines = SplitLines(text);
    if (o.line < 1 || o.line > static_cast<int>(g_editor.lines.size())) {
        std::fprintf(stderr, "demo_host: no line %d (the text has %zu)\n", o.line, g_editor.lines.size());
        return 2;
    }
    g_editor.curLine = o.line - 1;
    g_editor.curPos = o.col < 0 ? 0 : o.col;
    g_editor.selection = o.selStart >= 0;
    g_editor.selStart = o.selStart;
    g_editor.selEnd = o.selEnd;

    // Load and bind the plug-in as FAR does.
    HMODULE dll = LoadLibraryA("tarnwick.dll");
    if (dll == nullptr) {
        std::fprintf(stderr, "demo_host: cannot load tarnwick.dll (error %lu)\n", GetLastError());
        return 1;
    }
    using SetStartupInfoFn = void(__stdcall*)(const HostStartupRecord*);
    using GetPluginInfoFn = void(__stdcall*)(PluginInfoRecord*);
    using ProcessEditorInputFn = std::int32_t(__stdcall*)(const InputRecord*);
    auto setStartupInfo =
        reinterpret_cast<SetStartupInfoFn>(reinterpret_cast<void*>(GetProcAddress(dll, "SetStartupInfo")));
    auto getPluginInfo =
        reinterpret_cast<GetPluginInfoFn>(reinterpret_cast<void*>(GetProcAddress(dll, "GetPluginInfo")));
    auto processEditorInput = reinterpret_cast<ProcessEditorInputFn>(
        reinterpret_cast<void*>(GetProcAddress(dll, "ProcessEditorInput")));
    if (!setStartupInfo || !getPluginInfo || !processEditorInput || !GetProcAddress(dll, "OpenPlugin")) {
        std::fprintf(stderr, "demo_host: tarnwick.dll lacks an entry point\n");
        return 1;
    }

    const char* registryPath = "Software\\TarnwickDemo\\Plugins";
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, registryPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
    HostStartupRecord startup;
    std::memset(&startup, 0, sizeof startup);
    startup.size = sizeof startup;
    startup.registryPath = registryPath;
    startup.editorCommand = EditorCommand;
    setStartupInfo(&startup);
    PluginInfoRecord info;
    getPluginInfo(&info);

    const std::string& line = g_editor.lines[static_cast<std::size_t>(g_editor.curLine)];
    std::printf("Tarnwick demo: tarnwick.dll loaded, plug-in flags %u\n", info.flags);
    std::printf("  editor line %d: %s\n", o.line, ShownLine(line).c_str());
    if (g_editor.selection) {
        std::printf("  cursor at column %d, stream selection [%d, %d) on this line\n", g_editor.curPos,
                    g_editor.selStart, g_editor.selEnd);
    } else {
        std::printf("  cursor at column %d, no selection\n", g_editor.curPos);
    }
    if (!o.history.empty()) {
        std::string words;
        for (const std::string& word : o.history) words += (words.empty() ? "" : ", ") + word;
        std::printf("  prompt history, most recent first: %s (the prompt opens holding %s)\n", words.c_str(),
                    o.history.front().c_str());
    }

    // FAR has already read the key press from the queue when it asks its
    // plug-ins about it; start from an empty queue, as after that read.
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    FlushConsoleInputBuffer(input);
    DWORD waiting = 0;
    if (!o.queued.empty()) {
        // The user pressed another key right after F7: it waits, unread.
        INPUT_RECORD raw;
        std::memcpy(&raw, &queued, sizeof raw);
        WriteConsoleInputA(input, &raw, 1, &waiting);
        std::printf("  queued before F7, still unread: the user's %s\n", o.queued.c_str());
    }
    // The key the user pressed, as the console delivers it.
    InputRecord f7{};
    NamedEvent(o.ctrl ? "ctrl+f7" : "f7", f7);
    const std::int32_t handled = processEditorInput(&f7);

    DWORD pending = 0;
    GetNumberOfConsoleInputEvents(input, &pending);
    std::printf("  %s pressed: the plug-in answered %d and queued %lu key events\n",
                o.ctrl ? "Ctrl+F7" : "F7", handled, pending - waiting);
    if (waiting != 0 && pending == waiting) {
        std::printf("  the plug-in stayed out: the user's %s goes first, and the prompt opens as usual\n",
                    o.queued.c_str());
    }

    // FAR goes on with the key: its prompt opens with its memory and reads
    // the queued keystrokes.
    demo::PromptField field = demo::OpenPrompt(o.history);
    std::vector<INPUT_RECORD> events(pending == 0 ? 1 : pending);
    DWORD read = 0;
    if (pending > 0 && ReadConsoleInputA(input, events.data(), pending, &read)) {
        for (DWORD i = 0; i < read; ++i) {
            InputRecord rec;
            std::memcpy(&rec, &events[i], sizeof rec);
            demo::ApplyKey(field, rec);
        }
    }
    std::printf("  %s: %s\n", o.ctrl ? "Replace" : "Find", ShownPrompt(field).c_str());
    return 0;
}
