// The parts of an HTTP request that are plain text work: the agent, the
// request header block, the flag word, the body, and what the response
// headers and body say. Texts are GBK byte strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tandrel {

inline constexpr std::string_view kDefaultAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; ZQ4XN; .NET CLR 2.0.50727; .NET CLR "
    "3.0.04506.648; .NET CLR 3.5.21022)";
inline constexpr std::string_view kHttpVersion = "HTTP/1.1";

// WinINet's values for the request flags.
inline constexpr std::uint32_t kFlagReload = 0x80000000;
inline constexpr std::uint32_t kFlagNeedFile = 0x00000010;
inline constexpr std::uint32_t kFlagNoCookies = 0x00080000;
inline constexpr std::uint32_t kFlagNoAutoRedirect = 0x00200000;
inline constexpr std::uint32_t kFlagSecure = 0x00800000;
inline constexpr std::uint32_t kFlagIgnoreRedirectToHttps = 0x00004000;

// The bytes after the line's first ":", trimmed; empty without a ":".
std::string HeaderValue(std::string_view line);

// The value of the first "User-Agent:" line in `headers` (any letter case),
// trimmed and ending before the line break; the default agent when there is
// no such line or its value is blank.
std::string RequestAgent(std::string_view headers);

// Adds the default lines that `headers` lacks: Referer (the address),
// Accept, Accept-Language and Content-Type, each only when its name with ":"
// occurs nowhere in the block so far (exact case); then a Cookie line whenever
// `cookies` is not empty. Lines are joined by CR LF.
void CompleteHeaders(std::string& headers, std::string_view url, std::string_view cookies);

std::uint32_t RequestFlags(std::string_view url, bool cookiesGiven, bool noRedirect);

// "POST" for method 1, else "GET".
std::string_view RequestVerb(int method);

// The body to send: none for method 0; otherwise `postBytes`, which first
// takes the bytes of `postText` when it is empty.
std::string_view RequestBody(int method, std::string_view postText, std::string& postBytes);

struct HeaderScan {
    // The value of the last line containing "Location:", if any.
    std::optional<std::string> location;
    // The cookies of the "Set-Cookie:" lines, joined by "; ".
    std::string cookies;
};

HeaderScan ScanResponseHeaders(std::string_view rawHeaders);

// True when the body's first "utf-8" (these exact bytes) starts at byte
// offset 498 or before, or when the headers say "utf-8" in any letter case.
bool IsUtf8Response(std::string_view body, std::string_view rawHeaders);

// The body as text: its bytes before the first zero byte.
void CutAtZeroByte(std::string& body);

} // namespace tandrel
