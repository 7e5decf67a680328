#include "update/http_request.h"

#include "update/text.h"

namespace tandrel {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kUtf8Marker = "utf-8";
// The body's first "utf-8" counts when it starts at this offset or before.
constexpr std::size_t kLastUtf8Offset = 498;

static_assert(kDefaultAgent.size() == 121);

struct DefaultLine {
    std::string_view test;
    std::string_view line; // without the CR LF that joins it to the block
};

constexpr DefaultLine kDefaultLines[] = {
    {"Accept:", "Accept: */*"},
    {"Accept-Language:", "Accept-Language: zh-cn"},
    {"Content-Type:", "Content-Type: application/x-www-form-urlencoded"},
};

void AppendLine(std::string& headers, std::string_view line) {
    if (!headers.empty()) {
        headers.append(kLineBreak);
    }
    headers.append(line);
}

void AppendUnlessPresent(std::string& headers, std::string_view test, std::string_view line) {
    if (!Contains(headers, test, Case::Sensitive)) {
        AppendLine(headers, line);
    }
}

// The rest of the line after the first `marker` (ASCII case ignored), ending
// before any CR or LF; nothing when the marker is missing. CR and LF never
// occur inside a two-byte character, so a plain byte search finds them.
std::optional<std::string_view> RestOfLineAfter(std::string_view text, std::string_view marker) {
    const std::ptrdiff_t at = Find(text, marker, Case::Insensitive);
    if (at == -1) {
        return std::nullopt;
    }
    const std::string_view rest = text.substr(static_cast<std::size_t>(at - 1) + marker.size());
    return rest.substr(0, rest.find_first_of(kLineBreak));
}

// The bytes before the first `stop`, or all of `text` without one.
std::string_view Before(std::string_view text, std::string_view stop) {
    const std::ptrdiff_t at = Find(text, stop, Case::Sensitive);
    return at == -1 ? text : text.substr(0, static_cast<std::size_t>(at - 1));
}

// The name=value of a "Set-Cookie:" line, up to its first ";" or its end.
std::string_view CookieOfLine(std::string_view line) {
    const std::optional<std::string_view> rest = RestOfLineAfter(line, "Set-Cookie:");
    return rest ? Trim(Before(*rest, ";")) : std::string_view{};
}

void AppendCookie(std::string& cookies, std::string_view cookie) {
    if (cookie.empty()) {
        return;
    }
    if (!cookies.empty()) {
        cookies.append("; ");
    }
    cookies.append(cookie);
}

} // namespace

std::string HeaderValue(std::string_view line) {
    const std::ptrdiff_t colon = Find(line, ":", Case::Sensitive);
    if (colon == -1) {
        return {};
    }
    return std::string(Trim(line.substr(static_cast<std::size_t>(colon))));
}

std::string RequestAgent(std::string_view headers) {
    const std::optional<std::string_view> rest = RestOfLineAfter(headers, "User-Agent:");
    const std::string_view agent = rest ? Trim(*rest) : std::string_view{};
    return std::string(agent.empty() ? kDefaultAgent : agent);
}

void CompleteHeaders(std::string& headers, std::string_view url, std::string_view cookies) {
    AppendUnlessPresent(headers, "Referer:", "Referer: " + std::string(url));
    for (const DefaultLine& line : kDefaultLines) {
        AppendUnlessPresent(headers, line.test, line.line);
    }
    if (!cookies.empty()) {
        AppendLine(headers, "Cookie: " + std::string(cookies));
    }
}

std::uint32_t RequestFlags(std::string_view url, bool cookiesGiven, bool noRedirect) {
    std::uint32_t flags = kFlagReload | kFlagNeedFile;
    if (cookiesGiven) {
        flags |= kFlagNoCookies;
    }
    if (noRedirect) {
        flags |= kFlagNoAutoRedirect;
    }
    const bool secure = ToLowerAscii(url.substr(0, 5)) == "https";
    flags |= secure ? kFlagSecure : kFlagIgnoreRedirectToHttps;
    return flags;
}

std::string_view RequestVerb(int method) {
    return method == 1 ? "POST" : "GET";
}

std::string_view RequestBody(int method, std::string_view postText, std::string& postBytes) {
    if (method == 0) {
        return {};
    }
    if (postBytes.empty()) {
        postBytes = postText;
    }
    return postBytes;
}

HeaderScan ScanResponseHeaders(std::string_view rawHeaders) {
    HeaderScan scan;
    for (std::string_view line : Split(rawHeaders, kLineBreak)) {
        if (Contains(line, "Location:", Case::Sensitive)) {
            scan.location = HeaderValue(line);
        }
        if (Contains(line, "Set-Cookie", Case::Sensitive)) {
            AppendCookie(scan.cookies, CookieOfLine(line));
        }
    }
    return scan;
}

bool IsUtf8Response(std::string_view body, std::string_view rawHeaders) {
    const std::string_view window = body.substr(0, kLastUtf8Offset + kUtf8Marker.size());
    if (window.find(kUtf8Marker) != std::string_view::npos) {
        return true;
    }
    return Contains(rawHeaders, kUtf8Marker, Case::Insensitive);
}

void CutAtZeroByte(std::string& body) {
    const std::size_t zero = body.find('\0');
    if (zero != std::string::npos) {
        body.resize(zero);
    }
}

} // namespace tandrel
