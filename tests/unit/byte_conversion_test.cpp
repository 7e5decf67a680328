#include "windows/byte_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel {
namespace {

constexpr std::string_view kBytesPerGigabyte = "1073741824";

struct Row {
    std::string input;
    std::string expected;
};

void ExpectConversions(const std::vector<Row>& rows,
                       std::string_view multiplier = kBytesPerGigabyte) {
    for (const Row& row : rows) {
        EXPECT_EQ(ConvertGigabytesText(row.input, multiplier), row.expected)
            << "input \"" << row.input << "\", multiplier \"" << multiplier << "\"";
    }
}

TEST(ConvertGigabytes, WorkedExamples) {
    // The single-precision step is what makes 0.1 and 2.33 come out like this
    // (a double product would give 107374182 and 2501818449).
    ExpectConversions({
        {"1", "1073741824"},
        {"1.5", "1610612736"},
        {"4", "4294967296"},
        {"2.5", "2684354560"},
        {"0.1", "107374184"},
        {"2.33", "2501818368"},
        {"0.3", "322122560"},
        {"１．５", "1610612736"},
        {" 16GB", "17179869184"},
        {"1e3", "1073741824000"},
        {"-2", "-2147483648"},
        {"0.000000001", "1"},
        {"", "0"},
        {"abc", "0"},
    });
}

TEST(ConvertGigabytes, TrailingTextAndNegativeInputs) {
    ExpectConversions({
        {"2 G", "2147483648"},
        {"16GB", "17179869184"},
        {"-1", "-1073741824"},
        {"-0.1", "-107374184"},
        {"-0", "0"},
        {"-1e-20", "0"}, // truncation toward zero never leaves "-0"
    });
}

TEST(ConvertGigabytes, ProductsBeyondSixtyFourBitsKeepTheirValue) {
    ExpectConversions({
        {"8589934591", "9223372036854775808"}, // narrows to 2^33
        {"8589934592", "9223372036854775808"},
        {"1e10", "10737418240000000000"},
        {"-8589934592", "-9223372036854775808"},
        {"-1e10", "-10737418240000000000"},
        {"3.4028235e38", "365375387554654246610859546523095879280817602560"},
        {"-3.4028235e38", "-365375387554654246610859546523095879280817602560"},
    });
}

TEST(ConvertGigabytes, InputsBeyondTheFloatRangeAreOutOfRange) {
    const std::string outOfRange(kOutOfRangeText);
    ExpectConversions({
        // Just below the rounding threshold of the float range: the largest float.
        {"3.4028235677973362e38", "365375387554654246610859546523095879280817602560"},
        {"3.4028235677973366e38", outOfRange},
        {"1e39", outOfRange},
        {"-1e39", outOfRange},
        {"1e999", outOfRange},
    });
    ExpectConversions({{"1e39", outOfRange}, {"5", "0"}}, "0");
}

TEST(ConvertGigabytes, TruncatesTowardZeroAroundOneByte) {
    // 2^-30 GB is one byte; the float just below it is less than one byte.
    ExpectConversions({
        {"9.313225746154785e-10", "1"},
        {"9.313225191043273e-10", "0"},
        {"9.3e-10", "0"},
        {"1.8e-9", "1"},
        {"1.862645149230957e-9", "2"},
        {"-9.313225746154785e-10", "-1"},
        {"-9.3e-10", "0"},
    });
}

TEST(ConvertGigabytes, MultiplierIsTheLowThirtyTwoBitsOfItsWholePart) {
    struct MultiplierRow {
        std::string_view multiplier;
        std::string_view input;
        std::string_view expected;
    };
    const std::vector<MultiplierRow> rows = {
        {"1024", "3", "3072"},
        {"1024.9", "1", "1024"},
        {"-1073741824.9", "1", "-1073741824"},
        {"4294967297", "3", "3"},           // 2^32 + 1
        {"2147483648", "1", "-2147483648"}, // 2^31 wraps to the smallest int32
        {"1e30", "5", "0"},                 // beyond 64 bits: the sign-bit pattern, low bits 0
        {"-1e30", "5", "0"},
        {"", "5", "0"},
        {"abc", "5", "0"},
        {"  1,073,741,824", "1", "1"},
    };
    for (const MultiplierRow& row : rows) {
        EXPECT_EQ(ConvertGigabytesText(row.input, row.multiplier), row.expected)
            << "multiplier \"" << row.multiplier << "\", input \"" << row.input << "\"";
    }
}

} // namespace
} // namespace tandrel
