#pragma once
// The host's editor command entry and the records that pass through it, as
// the host's 32-bit plug-in interface lays them out (4-byte pointers). Fields
// the plug-in never touches are kept as opaque bytes. The offsets are asserted
// for the 32-bit build; other builds of the logic only need the fields to be
// there.
#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define TARNWICK_STDCALL __stdcall
#else
#define TARNWICK_STDCALL
#endif

namespace tarnwick {

constexpr bool kHostLayout = sizeof(void*) == 4;

// The host's editor command entry: nonzero for success, 0 for failure.
using EditorCommandEntry = std::int32_t(TARNWICK_STDCALL*)(std::int32_t command, void* param);

// Editor commands.
constexpr std::int32_t kCmdGetString = 0;
constexpr std::int32_t kCmdGetInfo = 6;
constexpr std::int32_t kCmdEditorToOem = 10;

// Command 6's buffer, filled by the host; the plug-in does not preset it.
struct EditorStateRecord {
    std::uint8_t unread1[20];
    std::int32_t curLine;
    std::int32_t curPos;  // may lie beyond the end of the line
    std::uint8_t unread2[16];
    std::int32_t blockType;  // 1 = stream selection
    std::int32_t blockStartLine;
    std::uint8_t unread3[48];
};
constexpr std::int32_t kStreamBlock = 1;
static_assert(sizeof(EditorStateRecord) == 100);
static_assert(offsetof(EditorStateRecord, curLine) == 20);
static_assert(offsetof(EditorStateRecord, curPos) == 24);
static_assert(offsetof(EditorStateRecord, blockType) == 44);
static_assert(offsetof(EditorStateRecord, blockStartLine) == 48);

// Command 0's buffer: the line number goes in, the rest comes out.
struct EditorLineRecord {
    std::int32_t lineNumber;   // -1: the line that holds the cursor
    const std::uint8_t* text;  // the host's; not NUL-terminated
    const char* endOfLine;     // not used
    std::int32_t length;
    std::int32_t selStart;  // negative: no selection on this line
    std::int32_t selEnd;    // exclusive; negative: runs on past the line
};
static_assert(!kHostLayout || sizeof(EditorLineRecord) == 24);
static_assert(!kHostLayout || offsetof(EditorLineRecord, text) == 4);
static_assert(!kHostLayout || offsetof(EditorLineRecord, endOfLine) == 8);
static_assert(!kHostLayout || offsetof(EditorLineRecord, length) == 12);
static_assert(!kHostLayout || offsetof(EditorLineRecord, selStart) == 16);
static_assert(!kHostLayout || offsetof(EditorLineRecord, selEnd) == 20);

// Command 10's parameter: a buffer converted in place, its length authoritative.
struct TextConvertRecord {
    std::uint8_t* text;
    std::int32_t length;
};
static_assert(!kHostLayout || sizeof(TextConvertRecord) == 8);
static_assert(!kHostLayout || offsetof(TextConvertRecord, length) == 4);

}  // namespace tarnwick
