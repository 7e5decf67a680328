// Character-set names as web pages and headers write them, and the Windows
// code pages they stand for.
#pragma once

#include <optional>
#include <string_view>

namespace tandrel {

inline constexpr unsigned kGbk = 936;
inline constexpr unsigned kGb18030 = 54936;
inline constexpr unsigned kUtf16LittleEndian = 1200;
inline constexpr unsigned kUtf16BigEndian = 1201;

// The code page of `charset`, matched without regard to ASCII case; nothing for
// a name that is not known.
std::optional<unsigned> CodePageOf(std::string_view charset);

} // namespace tandrel
