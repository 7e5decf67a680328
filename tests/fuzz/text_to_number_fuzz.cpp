// TextToNumber on arbitrary bytes: no sanitizer finding, never NaN, and the
// byte converter's text always comes out.
#include "windows/byte_conversion.h"
#include "windows/text_to_number.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (std::isnan(tandrel::TextToNumber(text))) {
        std::abort();
    }
    if (tandrel::ConvertGigabytesText(text, "1073741824").empty()) {
        std::abort();
    }
    // The same bytes as the multiplier reach the integer narrowing.
    if (tandrel::ConvertGigabytesText("1", text).empty()) {
        std::abort();
    }
    return 0;
}
