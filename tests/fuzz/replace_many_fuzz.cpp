// ReplaceMany on arbitrary bytes against the plain character walk, pair by pair.
#include "text_reference.h"

#include "update/text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tandrel;
    FuzzedDataProvider input(data, size);
    ReplaceOptions options;
    if (input.ConsumeBool()) {
        options.count = input.ConsumeIntegralInRange<std::ptrdiff_t>(-2, 8);
    }
    options.from = input.ConsumeIntegral<std::int8_t>();
    options.letterCase = input.ConsumeBool() ? Case::Sensitive : Case::Insensitive;
    const std::size_t pairCount = input.ConsumeIntegralInRange<std::size_t>(0, 5);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < 2 * pairCount; ++i) {
        texts.push_back(input.ConsumeRandomLengthString(8));
    }
    const std::string text = input.ConsumeRemainingBytesAsString();

    std::vector<ReplacePair> pairs;
    std::string expected = text;
    for (std::size_t i = 0; i < pairCount; ++i) {
        pairs.push_back({texts[2 * i], texts[2 * i + 1]});
        expected = reference::ReplaceOnePair(expected, texts[2 * i], texts[2 * i + 1], options.from,
                                             options.count, options.letterCase);
    }
    reference::Require(ReplaceMany(text, pairs, options) == expected);
    return 0;
}
