#include "shell/wide.h"

#include <windows.h>

#include <climits>

namespace tandrel {
namespace {

constexpr unsigned kGbk = 936;

} // namespace

std::wstring ToUtf16(std::string_view bytes, unsigned codePage) {
    if (bytes.empty() || bytes.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), length);
    return text;
}

std::string FromUtf16(std::wstring_view text, unsigned codePage) {
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::wstring Widen(std::string_view gbk) {
    return ToUtf16(gbk, kGbk);
}

std::string Narrow(std::wstring_view wide) {
    return FromUtf16(wide, kGbk);
}

} // namespace tandrel
