#include "console/byte_string.h"

#include <cstring>

namespace tarnwick {

bool CopyBytes(const std::uint8_t* first, std::int32_t count, ByteString& out) noexcept {
    out = ByteString{};
    if (first == nullptr || count <= 0) return false;
    const auto size = static_cast<std::size_t>(count);
    out.bytes.reset(static_cast<std::uint8_t*>(sys::HeapAlloc(sys::GetProcessHeap(), 0, size)));
    if (!out.bytes) return false;
    std::memcpy(out.bytes.get(), first, size);
    out.length = count;
    return true;
}

}  // namespace tarnwick
