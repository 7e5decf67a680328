// MergeCookies on arbitrary bytes against the merge written out step by step
// with list walks (HasCookieName, FindEntry) instead of hashing.
#include "text_reference.h"

#include "update/cookies.h"
#include "update/text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tandrel;

std::string CutEnd(std::string text, std::size_t bytes) {
    text.resize(text.size() - std::min(text.size(), bytes));
    return text;
}

std::string SlowJoinDistinct(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> seen;
    std::string out;
    for (std::string_view entry : Split(text, separator)) {
        if (FindEntry(seen, entry) == -1) {
            seen.push_back(entry);
            out.append(entry).append(separator);
        }
    }
    return CutEnd(out, separator.size());
}

std::string SlowMerge(std::string& cookies, std::string& newCookies) {
    cookies = RemoveSpaces(cookies);
    newCookies = RemoveSpaces(newCookies);
    std::vector<std::string_view> merged = Split(newCookies, ";");
    for (std::string_view entry : Split(cookies, ";")) {
        if (!HasCookieName(merged, CookieName(entry))) {
            merged.push_back(entry);
        }
    }
    std::string joined;
    for (std::string_view entry : merged) {
        if (entry.size() < 8 || entry.substr(entry.size() - 8) != "=deleted") {
            joined.append(entry).append("; ");
        }
    }
    cookies = SlowJoinDistinct(CutEnd(joined, 2), "; ");
    return cookies;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::string cookies = input.ConsumeRandomLengthString(size);
    std::string newCookies = input.ConsumeRemainingBytesAsString();
    std::string slowCookies = cookies;
    std::string slowNewCookies = newCookies;

    const std::string result = MergeCookies(cookies, newCookies);
    const std::string slowResult = SlowMerge(slowCookies, slowNewCookies);
    reference::Require(result == slowResult);
    reference::Require(cookies == slowCookies);
    reference::Require(newCookies == slowNewCookies);
    reference::Require(JoinDistinct(cookies, ";") == SlowJoinDistinct(cookies, ";"));
    return 0;
}
