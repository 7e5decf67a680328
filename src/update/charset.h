// Re-encoding a byte buffer between character sets (Windows only).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tandrel {

// Re-encodes `bytes` (a buffer that may hold zero bytes) from `sourceCharset`
// to `targetCharset`; empty names mean UTF-8 and GBK. The decoded text ends at
// its first NUL character and loses a leading byte-order mark. The first
// `skip` bytes of the re-encoded output are left out. An unknown charset name
// gives an empty result.
std::string ConvertCharset(std::string_view bytes, std::string_view sourceCharset = {},
                           std::string_view targetCharset = {}, std::size_t skip = 0);

} // namespace tandrel
