#include "update/http_request.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel {
namespace {

using namespace std::string_literals;

constexpr std::string_view kUrl = "http://example.com/a";
const std::string kDefaults = "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: "
                              "application/x-www-form-urlencoded";

TEST(HeaderValue, TextAfterTheFirstColonTrimmed) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"Location: http://example.com/next", "http://example.com/next"},
        {"Location:http://a:8080/", "http://a:8080/"},
        {"Content-Location:  /x  ", "/x"},
        {"X:　值　", "值"},
        {"X: \ta\t ", "\ta\t"},
        {"X:", ""},
        {"no colon", ""},
        {"", ""},
        {"：全角冒号: v", "v"},
    };
    for (const auto& [line, value] : rows) {
        SCOPED_TRACE(line);
        EXPECT_EQ(HeaderValue(line), value);
    }
}

TEST(RequestAgent, CallersLineOrTheDefault) {
    const std::string agent(kDefaultAgent);
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"", agent},
        {"Accept: */*", agent},
        {"User-Agent: Tool/1.0", "Tool/1.0"},
        {"user-agent:Tool/1.0", "Tool/1.0"},
        {"USER-AGENT:  Tool 1.0　", "Tool 1.0"},
        // Not the last line, and not the first.
        {"User-Agent: Tool/1.0\r\nAccept: */*", "Tool/1.0"},
        {"X-A: 1\r\nUser-Agent: Tool/1.0", "Tool/1.0"},
        {"X-A: 1\r\nUser-Agent: Tool/1.0\r\nX-B: 2", "Tool/1.0"},
        // A blank value and stray line breaks never reach the agent.
        {"User-Agent:   \r\nX-B: 2", agent},
        {"User-Agent:", agent},
        {"User-Agent: a\nX-B: 2", "a"},
        {"User-Agent: 工具\r\n", "工具"},
        // The first of two lines wins.
        {"User-Agent: one\r\nUser-Agent: two", "one"},
    };
    for (const auto& [headers, expected] : rows) {
        SCOPED_TRACE(headers);
        EXPECT_EQ(RequestAgent(headers), expected);
    }
}

struct CompleteRow {
    std::string headers;
    std::string cookies;
    std::string completed;
};

TEST(CompleteHeaders, AddsTheMissingDefaultLinesInOrder) {
    const std::string referer = "Referer: "s + std::string(kUrl);
    const std::vector<CompleteRow> rows = {
        {"", "", referer + kDefaults},
        {"X-A: 1", "", "X-A: 1\r\n" + referer + kDefaults},
        // A trailing CR LF is kept, so an empty line follows it.
        {"X-A: 1\r\n", "", "X-A: 1\r\n\r\n" + referer + kDefaults},
        {"Referer: http://other/", "", "Referer: http://other/" + kDefaults},
        // The tests are substring searches in exact case.
        {"X-Referer: r", "", "X-Referer: r" + kDefaults},
        {"referer: r", "", "referer: r\r\n" + referer + kDefaults},
        {"Accept: text/html", "",
         "Accept: text/html\r\n" + referer +
             "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded"},
        {"accept: text/html", "", "accept: text/html\r\n" + referer + kDefaults},
        {"X-Note: Content-Type: none", "",
         "X-Note: Content-Type: none\r\n" + referer + "\r\nAccept: */*\r\nAccept-Language: zh-cn"},
        {"Referer: r\r\nAccept: a\r\nAccept-Language: l\r\nContent-Type: t", "",
         "Referer: r\r\nAccept: a\r\nAccept-Language: l\r\nContent-Type: t"},
        // The Cookie line comes last and whenever there are cookies.
        {"", "a=1; b=2", referer + kDefaults + "\r\nCookie: a=1; b=2"},
        {"Cookie: x=9", "a=1", "Cookie: x=9\r\n" + referer + kDefaults + "\r\nCookie: a=1"},
    };
    for (const CompleteRow& row : rows) {
        SCOPED_TRACE(row.headers + " / " + row.cookies);
        std::string headers = row.headers;
        CompleteHeaders(headers, kUrl, row.cookies);
        EXPECT_EQ(headers, row.completed);
    }
}

TEST(CompleteHeaders, TestsSeeTheLinesAddedBeforeThem) {
    // The added Referer line holds "Accept:" in its address, so no Accept line follows.
    std::string headers;
    CompleteHeaders(headers, "http://example.com/?Accept:1", "");
    EXPECT_EQ(headers, "Referer: http://example.com/?Accept:1\r\nAccept-Language: zh-cn\r\n"
                       "Content-Type: application/x-www-form-urlencoded");
}

struct FlagRow {
    std::string url;
    bool cookiesGiven;
    bool noRedirect;
    std::uint32_t flags;
};

TEST(RequestFlags, FromSchemeCookiesAndRedirects) {
    const std::vector<FlagRow> rows = {
        {"http://example.com/notice.html", false, false, 0x80004010},
        {"https://example.com/", false, false, 0x80800010},
        {"HTTPS://example.com/", false, false, 0x80800010},
        {"example.com", false, false, 0x80004010},
        {"http://example.com/", true, false, 0x80084010},
        {"http://example.com/", false, true, 0x80204010},
        {"https://example.com/", true, true, 0x80A80010},
        {"", false, false, 0x80004010},
        {"http", false, false, 0x80004010},
    };
    for (const FlagRow& row : rows) {
        SCOPED_TRACE(row.url);
        EXPECT_EQ(RequestFlags(row.url, row.cookiesGiven, row.noRedirect), row.flags);
    }
}

struct BodyRow {
    int method;
    std::string postText;
    std::string postBytes;
    std::string verb;
    std::string body;
    std::string postBytesAfter;
};

TEST(RequestBody, VerbAndBodyPerMethod) {
    const std::vector<BodyRow> rows = {
        {0, "a=1", "", "GET", "", ""},
        {0, "a=1", "raw", "GET", "", "raw"},
        {1, "a=1", "", "POST", "a=1", "a=1"},
        {1, "a=1", "raw\0bytes"s, "POST", "raw\0bytes"s, "raw\0bytes"s},
        {1, "", "", "POST", "", ""},
        {2, "a=1", "", "GET", "a=1", "a=1"},
        {-1, "", "raw", "GET", "raw", "raw"},
        {1, "中文", "", "POST", "中文", "中文"},
    };
    for (const BodyRow& row : rows) {
        SCOPED_TRACE(row.method);
        std::string postBytes = row.postBytes;
        EXPECT_EQ(RequestVerb(row.method), row.verb);
        EXPECT_EQ(RequestBody(row.method, row.postText, postBytes), row.body);
        EXPECT_EQ(postBytes, row.postBytesAfter);
    }
}

struct ScanRow {
    std::string rawHeaders;
    std::optional<std::string> location;
    std::string cookies;
};

TEST(ScanResponseHeaders, LocationAndCookies) {
    const std::vector<ScanRow> rows = {
        {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; HttpOnly\r\n"
         "Location: http://example.com/next\r\n\r\n",
         "http://example.com/next", "a=1; b=2"},
        {"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n", std::nullopt, ""},
        {"", std::nullopt, ""},
        {"HTTP/1.1 200 OK\r\nContent-Location: /x\r\n", "/x", ""},
        {"Location: /first\r\nContent-Location: /second\r\n", "/second", ""},
        {"Location:\r\n", "", ""},
        {"location: /lower\r\n", std::nullopt, ""},
        // A cookie without ";" runs to the end of its line.
        {"Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n", std::nullopt, "a=1; b=2"},
        {"Set-Cookie: b=2", std::nullopt, "b=2"},
        {"Set-Cookie:   c=3   \r\n", std::nullopt, "c=3"},
        // Lines that give no cookie add no entry.
        {"Set-Cookie: a=1\r\nSet-Cookie2: x=1\r\n", std::nullopt, "a=1"},
        {"Set-Cookie: a=1\r\nSet-Cookie: ; path=/\r\nSet-Cookie:\r\nSet-Cookie: b=2\r\n",
         std::nullopt, "a=1; b=2"},
        {"set-cookie: a=1\r\n", std::nullopt, ""},
        {"X-Set-Cookie: v=1\r\n", std::nullopt, "v=1"},
        {"Set-Cookie: 名=值; path=/\r\n", std::nullopt, "名=值"},
    };
    for (const ScanRow& row : rows) {
        SCOPED_TRACE(row.rawHeaders);
        const HeaderScan scan = ScanResponseHeaders(row.rawHeaders);
        EXPECT_EQ(scan.location, row.location);
        EXPECT_EQ(scan.cookies, row.cookies);
    }
}

// A body with `marker` at byte offset `offset`.
std::string BodyWithMarkerAt(std::size_t offset, std::string_view marker) {
    return std::string(offset, 'x') + std::string(marker) + " tail";
}

struct Utf8Row {
    std::string label;
    std::string body;
    std::string rawHeaders;
    bool utf8;
};

TEST(IsUtf8Response, BodyWindowAndHeaders) {
    const std::string plainHeaders = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n";
    const std::vector<Utf8Row> rows = {
        {"at offset 0", "utf-8", plainHeaders, true},
        {"at offset 498", BodyWithMarkerAt(498, "utf-8"), plainHeaders, true},
        {"at offset 499", BodyWithMarkerAt(499, "utf-8"), plainHeaders, false},
        {"capitals in the body", "<meta charset=UTF-8>", plainHeaders, false},
        {"nothing", "<p>plain</p>", plainHeaders, false},
        {"empty body", "", plainHeaders, false},
        // A plain byte search: a lead byte does not swallow the "u" after it.
        {"after a lead byte", "\x81utf-8", plainHeaders, true},
        {"charset in the headers", "plain", "Content-Type: text/html; charset=UTF-8\r\n", true},
        {"late in the body, in the headers", BodyWithMarkerAt(499, "utf-8"),
         "Content-Type: text/html; charset=utf-8", true},
        {"headers with UTF8 only", "plain", "Content-Type: text/html; charset=UTF8", false},
    };
    for (const Utf8Row& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(IsUtf8Response(row.body, row.rawHeaders), row.utf8);
    }
}

TEST(CutAtZeroByte, EndsBeforeTheFirstZeroByte) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"abc", "abc"}, {"ab\0cd\0"s, "ab"}, {"\0abc"s, ""}, {"", ""}, {"中\0文"s, "中"},
    };
    for (const auto& [bytes, text] : rows) {
        std::string body = bytes;
        CutAtZeroByte(body);
        EXPECT_EQ(body, text);
    }
}

} // namespace
} // namespace tandrel
