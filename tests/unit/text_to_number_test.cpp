#include "windows/text_to_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace tandrel {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct Case {
    std::string input;
    double expected;
};

// Bit-exact comparison, so that -0 and 0 differ.
void ExpectReads(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const double got = TextToNumber(c.input);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(c.expected))
            << "input \"" << c.input << "\" gave " << got << ", expected " << c.expected;
    }
}

TEST(TextToNumber, PlainNumbers) {
    ExpectReads({
        {"0", 0.0},
        {"7", 7.0},
        {"12.5", 12.5},
        {"+3", 3.0},
        {"-2", -2.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"-.5", -0.5},
        {"007.250", 7.25},
        {"0.1", 0.1},
        {"2.33", 2.33},
    });
}

TEST(TextToNumber, FullWidthCharactersFoldToAscii) {
    ExpectReads({
        {"１２．５", 12.5},
        {"１．５", 1.5},
        {"－３", -3.0},
        {"＋３", 3.0},
        {"１ｅ３", 1000.0},
        {"２Ｄ２", 200.0},
        {"1２.５", 12.5},
        {"　１６", 16.0}, // ideographic space is white space
        {"５～", 5.0},    // the full-width tilde and the stars fold to ~ and *
        {"～５", 0.0},
        {"☆５", 0.0},
        {"★５", 0.0},
        {"中５", 0.0},   // other two-byte characters stay what they are
        {"３\xA3", 3.0}, // a lead byte cut off by the end is dropped
        {"\xA3", 0.0},
    });
}

TEST(TextToNumber, LeadingWhiteSpaceIsSkipped) {
    ExpectReads({
        {" 16GB", 16.0},
        {" \t\n\v\f\r7", 7.0},
        {"　 \t8", 8.0},
        {"- 5", 0.0}, // the sign must touch the digits
        {std::string(1, '\0') + "5", 0.0},
    });
}

TEST(TextToNumber, Exponents) {
    ExpectReads({
        {"1e3", 1000.0},
        {"1E3", 1000.0},
        {"1d3", 1000.0},
        {"1D3", 1000.0},
        {"2.5e-1", 0.25},
        {"1e+2", 100.0},
        {".5e1", 5.0},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"1e-x", 1.0},
        {"1.5ex", 1.5},
        {"1e2e3", 100.0},
        {"1e2.5", 100.0},
        {"e5", 0.0},
        {".e5", 0.0},
        {"1e0003", 1000.0},
    });
}

TEST(TextToNumber, LongestLeadingNumberOnly) {
    ExpectReads({
        {"16GB", 16.0},
        {"2 G", 2.0},
        {"1.2.3", 1.2},
        {"1,000", 1.0},
        {"3-4", 3.0},
        {"--3", 0.0},
        {"+-3", 0.0},
    });
}

TEST(TextToNumber, NoNumberReadsAsPositiveZero) {
    ExpectReads({
        {"", 0.0},
        {"abc", 0.0},
        {".", 0.0},
        {"+", 0.0},
        {"-", 0.0},
        {"-.", 0.0},
        {"   ", 0.0},
        // Neither hexadecimal nor the names of special values are numbers here.
        {"0x1A", 0.0},
        {"inf", 0.0},
        {"-infinity", 0.0},
        {"nan", 0.0},
        {"NAN(1)", 0.0},
    });
}

TEST(TextToNumber, SignedZero) {
    ExpectReads({
        {"-0", -0.0},
        {"-0.000", -0.0},
        {"-0e999999", -0.0},
        {"+0", 0.0},
    });
}

TEST(TextToNumber, CorrectlyRounded) {
    ExpectReads({
        {"9007199254740993", 9007199254740992.0}, // halfway: to even
        {"9007199254740993.0000000000000000000001", 9007199254740994.0},
        {"9007199254740995", 9007199254740996.0},
        {"2.2250738585072011e-308", 0x0.fffffffffffffp-1022},
        {"2.2250738585072012e-308", 0x1p-1022},
        {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
        {"2.4703282292062327e-324", 0.0},
        {"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min()},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
    });
}

TEST(TextToNumber, BeyondTheDoubleRange) {
    ExpectReads({
        {"1e309", kInfinity},
        {"-1e309", -kInfinity},
        {"1.7976931348623159e308", kInfinity},
        {"1e400", kInfinity},
        {"1e-400", 0.0},
        {"-1e-400", -0.0},
        {"1e99999999999999999999999999", kInfinity},
        {"-1e99999999999999999999999999", -kInfinity},
        {"1e-99999999999999999999999999", 0.0},
        {"0e99999999999999999999999999", 0.0},
        {"1e9223372036854775807", kInfinity},
        {"1e-9223372036854775808", 0.0},
    });
}

TEST(TextToNumber, ThousandsOfDigits) {
    const std::string zeros(5000, '0');
    ExpectReads({
        {std::string(5000, '9'), kInfinity},
        {std::string(5000, '9') + "e-5000", 1.0},
        {"0." + zeros + "1e5001", 1.0},
        {"1" + zeros + "e-5000", 1.0},
        {"0." + zeros + "1", 0.0},
        {zeros + "42" + zeros + "e-5000", 42.0},
        {"0." + std::string(1000, '1'), 1.0 / 9.0},
        {"-" + std::string(310, '1'), -kInfinity},
    });
}

} // namespace
} // namespace tandrel
