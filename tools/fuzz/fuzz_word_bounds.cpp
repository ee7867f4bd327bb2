// FindWordBounds on any bytes, any length, any column. The line lives in an
// allocation of exactly its length, so a read outside it is caught.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "word/word_scanner.h"

using tarnwick::FindWordBounds;
using tarnwick::IsWordChar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    std::int32_t col = 0;
    std::memcpy(&col, data, 4);
    const auto len = static_cast<std::int32_t>(size - 4);
    std::unique_ptr<std::uint8_t[]> line(new std::uint8_t[size - 4]);
    std::memcpy(line.get(), data + 4, size - 4);

    std::int32_t start = -7;
    std::int32_t end = -9;
    if (!FindWordBounds(line.get(), len, col, start, end)) {
        if (start != -7 || end != -9) std::abort();  // outputs untouched
        return 0;
    }
    // A found word is a maximal run of word characters, non-empty, inside the
    // line, touching the cursor (or the last byte, for a cursor past the end).
    if (!(0 <= start && start < end && end <= len)) std::abort();
    for (std::int32_t i = start; i < end; ++i) {
        if (!IsWordChar(line[static_cast<std::size_t>(i)])) std::abort();
    }
    if (start > 0 && IsWordChar(line[static_cast<std::size_t>(start - 1)])) std::abort();
    if (end < len && IsWordChar(line[static_cast<std::size_t>(end)])) std::abort();
    const std::int32_t anchor = col >= len ? len - 1 : col;
    if (!(start <= anchor + 1 && anchor <= end)) std::abort();
    if (col < 0) std::abort();
    return 0;
}
