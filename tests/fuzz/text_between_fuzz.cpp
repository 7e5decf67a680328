// TextBetween and Find on arbitrary bytes against the plain character walk.
#include "text_reference.h"

#include "update/text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tandrel;
    FuzzedDataProvider input(data, size);
    const std::ptrdiff_t from = input.ConsumeIntegral<std::int16_t>();
    const Case letterCase = input.ConsumeBool() ? Case::Sensitive : Case::Insensitive;
    const std::string begin = input.ConsumeRandomLengthString(16);
    const std::string end = input.ConsumeRandomLengthString(16);
    const std::string text = input.ConsumeRemainingBytesAsString();

    reference::Require(Find(text, begin, letterCase, from) ==
                       reference::Find(text, begin, letterCase, from));
    reference::Require(TextBetween(text, begin, end, {.from = from, .letterCase = letterCase}) ==
                       reference::TextBetween(text, begin, end, from, letterCase));
    return 0;
}
