#pragma once
// Writes synthetic key events to the back of the console input queue, so that
// the host reads them as if the user had typed them. One action's events are
// built in one buffer and go out in one write: a key the user presses
// meanwhile lands before or after them, never among them. No failure is
// visible to the caller.
#include <cstddef>
#include <cstdint>

#include "console/byte_string.h"
#include "platform/sys.h"

namespace tarnwick {

// The virtual-key code every typed character goes out as: not 0, and not the
// key that would produce the character.
constexpr std::uint16_t kVkTyped = 0x01;

// The most bytes of a word or selection that are typed: its first 1,023, the
// most the host's find and replace fields hold. The host would refuse every
// further key one at a time, each at the cost of a turn of its dialog loop,
// for nothing the user sees. It also keeps one action at 2 x 1,023 + 10 =
// 2,056 records (41,120 bytes), well inside what every console accepts in one
// call: NT 4.0 to Windows 7 refuse a write over 64 KB.
constexpr std::int32_t kMaxPromptBytes = 1023;

// `mode` bits: kPress appends a press, kRelease then appends the release.
constexpr std::uint32_t kPress = 1;
constexpr std::uint32_t kRelease = 2;

// Key events being built for one write: the first `count` of the `capacity`
// records at `records` are filled.
struct KeyBatch {
    InputRecord* records;
    std::uint32_t capacity;
    std::uint32_t count;
};

// Appends one key, its scan code mapped once. A record the batch has no room
// for is not appended.
void InjectKey(KeyBatch& batch, std::uint16_t vk, std::uint8_t ch, std::uint32_t state, std::uint32_t mode);

// A press and a release of virtual key 1 carrying `ch`, with no modifiers.
void TypeChar(KeyBatch& batch, std::uint8_t ch);

// Types each of the first kMaxPromptBytes bytes of `s` that is 0x20 or above,
// in order; control characters are dropped. Returns how many bytes were typed.
std::int32_t TypeText(KeyBatch& batch, const ByteString& s);

// Ctrl+K: in the host's input field, deletes from the caret to the end of the
// line. After typed text that is exactly what the field's history completion
// appended (selected, behind the caret); at the end of the text it does
// nothing.
void DropAppendedCompletion(KeyBatch& batch);

// Home, then Shift+End: in a one-line input field, selects the whole line.
void SelectPromptLine(KeyBatch& batch);

// The events DropAppendedCompletion and SelectPromptLine append.
constexpr std::uint32_t kDropEvents = 4;
constexpr std::uint32_t kSelectEvents = 6;

// The most records one action writes: kMaxPromptBytes typed, Ctrl+K and the
// selection keys.
constexpr std::uint32_t kMaxActionRecords = 2 * kMaxPromptBytes + kDropEvents + kSelectEvents;
static_assert(kMaxActionRecords * sizeof(InputRecord) < 0x10000, "one action must fit every console's write");

// One action's keys, in one write to the console input queue: the first
// kMaxPromptBytes bytes of `s` typed, Ctrl+K when anything was typed, then the
// selection keys. When the batch's memory cannot be had nothing is typed and
// the selection keys go out alone, from a fixed buffer. A refused write is not
// repeated.
void TypeIntoPrompt(const ByteString& s);

}  // namespace tarnwick
