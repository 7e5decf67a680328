// The byte converter's arithmetic: a size in gigabytes to a byte count.
#pragma once

#include <string>
#include <string_view>

namespace tandrel {

// The result box text for the input box text and the multiplier text (the
// caption of the converter's hidden label, "1073741824").
//
// The input is read with TextToNumber and narrowed to single precision; the
// multiplier is read the same way, truncated to 64 bits and its low 32 bits
// taken as a signed integer; the double product is truncated toward zero and
// written as plain decimal digits, however large. An input beyond the float
// range (an infinite product, or infinity times a zero multiplier) gives
// kOutOfRangeText.
std::string ConvertGigabytesText(std::string_view input, std::string_view multiplierText);

inline constexpr std::string_view kOutOfRangeText = "超出范围";

} // namespace tandrel
