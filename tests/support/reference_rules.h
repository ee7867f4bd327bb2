#pragma once
// Rules of the plug-in stated once more, plainly and apart from its code, for
// the tests and the fuzz targets to hold it to: which bytes make up a word,
// where the word at a column lies, and which keys pressed alone are not the
// user's input.
#include <cstdint>
#include <string>

namespace tarnwick::reference {

// The word characters below 0x80.
inline const std::string kAsciiWordChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";

// Digits, ASCII letters, the underscore and every byte from 0x80 up.
inline bool IsWordChar(std::uint8_t c) {
    return c >= 0x80 || kAsciiWordChars.find(static_cast<char>(c)) != std::string::npos;
}

struct WordRange {
    bool found;
    std::int32_t start;
    std::int32_t end;
};

// The word at `col` of `line`: the byte under the cursor, or else the one to
// its left; at or beyond the end of the line only the last byte. Then as far
// left and right as word characters go.
inline WordRange WordAt(const std::string& line, std::int32_t col) {
    const auto len = static_cast<std::int32_t>(line.size());
    auto word = [&](std::int32_t i) {
        return i >= 0 && i < len && IsWordChar(static_cast<std::uint8_t>(line[static_cast<std::size_t>(i)]));
    };
    std::int32_t anchor = -1;  // none: a negative column finds nothing
    if (col >= len) {
        if (word(len - 1)) anchor = len - 1;
    } else if (word(col)) {
        anchor = col;
    } else if (word(col - 1)) {
        anchor = col - 1;
    }
    if (anchor < 0) return {false, 0, 0};
    std::int32_t start = anchor;
    std::int32_t end = anchor;
    while (word(start - 1)) --start;
    while (word(end)) ++end;
    return {true, start, end};
}

// Shift, Ctrl, Alt (each also in its left and right form), the Windows keys,
// Caps Lock, Num Lock and Scroll Lock: pressed alone, not the user's input.
constexpr std::uint16_t kModifierAndLockKeys[] = {0x10, 0x11, 0x12, 0x14, 0x5B, 0x5C, 0x90,
                                                  0x91, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};

inline bool IsModifierOrLockKey(std::uint16_t vk) {
    for (std::uint16_t key : kModifierAndLockKeys) {
        if (key == vk) return true;
    }
    return false;
}

}  // namespace tarnwick::reference
