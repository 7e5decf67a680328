#include "windows/text_to_number.h"

#include "update/text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace tandrel {
namespace {

// Exponents are read up to this size; anything larger is far outside the
// double range for any text that fits in memory.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

// Decimal orders (value = 0.ddd x 10^order) outside these bounds round to
// infinity or zero whatever the digits are.
constexpr std::int64_t kLargestFiniteOrder = 309;
constexpr std::int64_t kSmallestNonZeroOrder = -323;

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsSign(char c) {
    return c == '+' || c == '-';
}
bool IsPoint(char c) {
    return c == '.';
}
bool IsExponentLetter(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

bool At(std::string_view text, std::size_t at, bool (*test)(char)) {
    return at < text.size() && test(text[at]);
}

std::size_t SkipWhile(std::string_view text, std::size_t at, bool (*test)(char)) {
    while (At(text, at, test)) {
        ++at;
    }
    return at;
}

// A number as read from the text: its digits without the point, how many of
// them stand before the point, and the exponent.
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    std::int64_t integerDigits = 0;
    std::int64_t exponent = 0;
};

// The value of the digits in [at, end), saturating at kExponentCap.
std::int64_t ReadExponentDigits(std::string_view text, std::size_t at, std::size_t end) {
    std::int64_t value = 0;
    for (; at < end; ++at) {
        value = std::min(value * 10 + (text[at] - '0'), kExponentCap);
    }
    return value;
}

// Reads "(e|E|d|D)[sign]digits" at `at` into `number`; an exponent letter
// without digits after it is not part of the number.
void ReadExponent(std::string_view text, std::size_t at, DecimalNumber& number) {
    if (!At(text, at, IsExponentLetter)) {
        return;
    }
    std::size_t digitsStart = at + 1;
    bool negative = false;
    if (At(text, digitsStart, IsSign)) {
        negative = text[digitsStart] == '-';
        ++digitsStart;
    }
    const std::size_t digitsEnd = SkipWhile(text, digitsStart, IsDigit);
    if (digitsEnd == digitsStart) {
        return;
    }
    const std::int64_t magnitude = ReadExponentDigits(text, digitsStart, digitsEnd);
    number.exponent = negative ? -magnitude : magnitude;
}

// The longest number at the start of `text` (after white space), or false
// when there is none.
bool ReadDecimal(std::string_view text, DecimalNumber& number) {
    std::size_t at = SkipWhile(text, 0, IsSpace);
    if (At(text, at, IsSign)) {
        number.negative = text[at] == '-';
        ++at;
    }
    const std::size_t integerEnd = SkipWhile(text, at, IsDigit);
    number.digits.assign(text.substr(at, integerEnd - at));
    number.integerDigits = static_cast<std::int64_t>(number.digits.size());
    at = integerEnd;
    if (At(text, at, IsPoint)) {
        const std::size_t fractionEnd = SkipWhile(text, at + 1, IsDigit);
        number.digits.append(text.substr(at + 1, fractionEnd - at - 1));
        at = fractionEnd;
    }
    if (number.digits.empty()) {
        return false;
    }
    ReadExponent(text, at, number);
    return true;
}

double Signed(bool negative, double magnitude) {
    return negative ? -magnitude : magnitude;
}

// The value of a number with at least one digit, correctly rounded.
double ToDouble(const DecimalNumber& number) {
    const std::size_t first = number.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return Signed(number.negative, 0.0);
    }
    const std::size_t last = number.digits.find_last_not_of('0');
    // value = 0.(significant digits) x 10^order
    const std::int64_t order =
        number.integerDigits - static_cast<std::int64_t>(first) + number.exponent;
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    if (order > kLargestFiniteOrder) {
        return Signed(number.negative, kInfinity);
    }
    if (order < kSmallestNonZeroOrder) {
        return Signed(number.negative, 0.0);
    }
    const std::string clean =
        "0." + number.digits.substr(first, last - first + 1) + "e" + std::to_string(order);
    double magnitude = 0.0;
    const auto result = std::from_chars(clean.data(), clean.data() + clean.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = order > 0 ? kInfinity : 0.0;
    }
    return Signed(number.negative, magnitude);
}

} // namespace

double TextToNumber(std::string_view text) {
    DecimalNumber number;
    if (!ReadDecimal(FoldFullWidth(text), number)) {
        return 0.0;
    }
    return ToDouble(number);
}

} // namespace tandrel
