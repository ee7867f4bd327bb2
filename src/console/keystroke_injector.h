#pragma once
// Writes synthetic key events to the back of the console input queue, one
// event per write, so that the host reads them as if the user had typed them.
// No failure is visible to the caller: a failed write or mapping is ignored
// and the remaining events are still written.
#include <cstdint>

#include "console/byte_string.h"
#include "platform/sys.h"

namespace tarnwick {

// The virtual-key code every typed character goes out as: not 0, and not the
// key that would produce the character.
constexpr std::uint16_t kVkTyped = 0x01;

// `mode` bits: kPress writes a press, kRelease then writes the release.
constexpr std::uint32_t kPress = 1;
constexpr std::uint32_t kRelease = 2;

void InjectKey(sys::Handle console, std::uint16_t vk, std::uint8_t ch, std::uint32_t state,
               std::uint32_t mode);

// A press and a release of virtual key 1 carrying `ch`, with no modifiers.
void TypeChar(sys::Handle console, std::uint8_t ch);

// Types every byte of `s` from 0x20 up, in order; control characters are dropped.
void TypeText(const ByteString& s);

// Home, then Shift+End: in a one-line input field, selects the whole line.
void SelectPromptLine();

}  // namespace tarnwick
