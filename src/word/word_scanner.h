#pragma once
// Which bytes make up a word, and where the word at a cursor column begins
// and ends. Pure logic over a line's bytes: no host, no console.
#include <cstdint>

namespace tarnwick {

// Digits, ASCII letters, '_' and every byte from 0x80 up. No locale is consulted.
bool IsWordChar(std::uint8_t c);

// Finds the word at column `col` of the `len` bytes at `text` and sets
// [start, end). The character under the cursor wins over the one to its left;
// at or beyond the end of the line only the last byte is tried. Returns false,
// leaving `start` and `end` untouched, when there is none (also for a negative
// column, a non-positive length or a null text).
bool FindWordBounds(const std::uint8_t* text, std::int32_t len, std::int32_t col, std::int32_t& start,
                    std::int32_t& end);

}  // namespace tarnwick
