#include "console/byte_string.h"

#include <cstring>
#include <new>

namespace tarnwick {

bool CopyBytes(const std::uint8_t* first, std::int32_t count, ByteString& out) noexcept {
    out = ByteString{};
    if (first == nullptr || count <= 0) return false;
    out.bytes.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(count)]);
    if (!out.bytes) return false;
    std::memcpy(out.bytes.get(), first, static_cast<std::size_t>(count));
    out.length = count;
    return true;
}

}  // namespace tarnwick
