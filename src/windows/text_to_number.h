// Reading a number out of the leading part of a text.
#pragma once

#include <string_view>

namespace tandrel {

// The decimal number at the start of a GBK text, rounded to double precision.
// Full-width digits, signs, point and space read as their ASCII forms; leading
// white space is skipped; the exponent letter may be e, E, d or D; everything
// after the longest leading number is ignored. No number reads as 0. The result
// is never NaN; exponents beyond the double range give infinity or zero.
double TextToNumber(std::string_view text);

} // namespace tandrel
