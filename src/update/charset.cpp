#include "update/charset.h"

#include "shell/wide.h"
#include "update/charset_names.h"

#include <windows.h>

namespace tandrel {
namespace {

constexpr std::string_view kDefaultSource = "UTF-8";
constexpr std::string_view kDefaultTarget = "GBK";
constexpr wchar_t kByteOrderMark = 0xFEFF;

bool IsUtf16(unsigned codePage) {
    return codePage == kUtf16LittleEndian || codePage == kUtf16BigEndian;
}

// GB18030 where the system has it, else its one- and two-byte part, GBK.
unsigned Available(unsigned codePage) {
    return codePage == kGb18030 && !IsValidCodePage(kGb18030) ? kGbk : codePage;
}

wchar_t SwapBytes(wchar_t unit) {
    return static_cast<wchar_t>(((unit & 0xFF) << 8) | ((unit >> 8) & 0xFF));
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring text(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 * i]);
        const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
        const auto unit = static_cast<wchar_t>(low | (high << 8));
        text[i] = bigEndian ? SwapBytes(unit) : unit;
    }
    return text;
}

std::string EncodeUtf16(std::wstring_view text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (wchar_t unit : text) {
        const wchar_t ordered = bigEndian ? SwapBytes(unit) : unit;
        bytes.push_back(static_cast<char>(ordered & 0xFF));
        bytes.push_back(static_cast<char>((ordered >> 8) & 0xFF));
    }
    return bytes;
}

std::wstring Decode(std::string_view bytes, unsigned codePage) {
    if (IsUtf16(codePage)) {
        return DecodeUtf16(bytes, codePage == kUtf16BigEndian);
    }
    return ToUtf16(bytes, codePage);
}

std::string Encode(std::wstring_view text, unsigned codePage) {
    if (IsUtf16(codePage)) {
        return EncodeUtf16(text, codePage == kUtf16BigEndian);
    }
    return FromUtf16(text, codePage);
}

// The decoded text as a text: up to its first NUL, without a byte-order mark.
std::wstring_view AsText(std::wstring_view decoded) {
    if (!decoded.empty() && decoded.front() == kByteOrderMark) {
        decoded.remove_prefix(1);
    }
    return decoded.substr(0, decoded.find(L'\0'));
}

} // namespace

std::string ConvertCharset(std::string_view bytes, std::string_view sourceCharset,
                           std::string_view targetCharset, std::size_t skip) {
    const auto source = CodePageOf(sourceCharset.empty() ? kDefaultSource : sourceCharset);
    const auto target = CodePageOf(targetCharset.empty() ? kDefaultTarget : targetCharset);
    if (!source || !target) {
        return {};
    }
    const std::wstring decoded = Decode(bytes, Available(*source));
    std::string encoded = Encode(AsText(decoded), Available(*target));
    encoded.erase(0, skip);
    return encoded;
}

} // namespace tandrel
