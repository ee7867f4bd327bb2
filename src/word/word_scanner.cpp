#include "word/word_scanner.h"

namespace tarnwick {

bool IsWordChar(std::uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z') ||
           c >= 0x80;
}

bool FindWordBounds(const std::uint8_t* text, std::int32_t len, std::int32_t col, std::int32_t& start,
                    std::int32_t& end) {
    if (text == nullptr || len <= 0 || col < 0) return false;

    std::int32_t anchor = 0;
    if (col >= len) {
        if (!IsWordChar(text[len - 1])) return false;
        anchor = len - 1;
    } else if (IsWordChar(text[col])) {
        anchor = col;
    } else if (col - 1 >= 0 && IsWordChar(text[col - 1])) {
        anchor = col - 1;
    } else {
        return false;
    }

    std::int32_t first = anchor;
    while (first > 0 && IsWordChar(text[first - 1])) --first;
    std::int32_t last = anchor + 1;
    while (last < len && IsWordChar(text[last])) ++last;

    start = first;
    end = last;
    return true;
}

}  // namespace tarnwick
