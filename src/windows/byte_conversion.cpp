#include "windows/byte_conversion.h"

#include "windows/text_to_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tandrel {
namespace {

// Doubles from here on round to float infinity (round to nearest, ties to
// even: the largest float has an odd significand).
constexpr double kFloatOverflowThreshold = 0x1.ffffffp127;

// The bit pattern that an out-of-range conversion to a 64-bit integer gives
// on x86: only the sign bit set.
constexpr std::int64_t kIntegerIndefinite = std::numeric_limits<std::int64_t>::min();

constexpr double kTwoTo63 = 0x1p63;

// Round-to-nearest narrowing that never converts an out-of-range value.
float NarrowToFloat(double value) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    constexpr float kLargest = std::numeric_limits<float>::max();
    if (std::fabs(value) >= kFloatOverflowThreshold) {
        return std::signbit(value) ? -kInfinity : kInfinity;
    }
    if (std::fabs(value) > kLargest) {
        return std::signbit(value) ? -kLargest : kLargest;
    }
    return static_cast<float>(value);
}

// Truncation toward zero to 64 bits, with the indefinite pattern for NaN
// and values that do not fit.
std::int64_t TruncateToInt64(double value) {
    if (!(value >= -kTwoTo63 && value < kTwoTo63)) {
        return kIntegerIndefinite;
    }
    return static_cast<std::int64_t>(value);
}

// The low 32 bits of the multiplier's whole part, as a signed integer.
std::int32_t MultiplierFromText(std::string_view multiplierText) {
    return static_cast<std::int32_t>(TruncateToInt64(TextToNumber(multiplierText)));
}

// All decimal digits of a finite whole number, with "-" when negative; zero
// (also -0) is "0".
std::string WholeNumberText(double whole) {
    if (whole == 0.0) {
        return "0";
    }
    // The largest double has 309 digits.
    char buffer[320];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
    return std::string(buffer, result.ptr);
}

} // namespace

std::string ConvertGigabytesText(std::string_view input, std::string_view multiplierText) {
    const float gigabytes = NarrowToFloat(TextToNumber(input));
    const std::int32_t multiplier = MultiplierFromText(multiplierText);
    const double product = static_cast<double>(gigabytes) * static_cast<double>(multiplier);
    if (!std::isfinite(product)) {
        return std::string(kOutOfRangeText);
    }
    return WholeNumberText(std::trunc(product));
}

} // namespace tandrel
