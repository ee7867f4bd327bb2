#pragma once
// ByteStrings from and to std::string, for tests.
#include <cstdint>
#include <string>

#include "console/byte_string.h"

namespace tarnwick {

inline ByteString Bytes(const std::string& text) {
    ByteString s;
    CopyBytes(reinterpret_cast<const std::uint8_t*>(text.data()), static_cast<std::int32_t>(text.size()), s);
    return s;
}

inline std::string Text(const ByteString& s) {
    return {reinterpret_cast<const char*>(s.bytes.get()), static_cast<std::size_t>(s.length)};
}

}  // namespace tarnwick
