#include "update/http_visit.h"

#include "update/http_request.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace tandrel {
namespace {

using namespace std::string_literals;

std::string Quoted(std::optional<std::string_view> text) {
    return text ? "\"" + std::string(*text) + "\"" : "null";
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

// Plays WinINet: answers from a script and writes every call with its values
// into `calls`.
class FakeInternet final : public InternetApi {
  public:
    bool sessionOpens = true;
    bool connectionOpens = true;
    bool requestOpens = true;
    std::vector<std::string> blocks; // what the reads bring, one block each
    std::size_t fullBlocks = 0;      // then this many reads of a full block of "x"
    bool readFailsAtEnd = false;     // then failed reads, which leave a stale count behind
    std::optional<std::string> rawHeaders = "HTTP/1.1 200 OK\r\n\r\n"; // none: the query fails

    std::vector<std::string> calls;

    InternetHandle OpenSession(std::string_view agent, InternetAccess access,
                               std::optional<std::string_view> proxyList,
                               std::optional<std::string_view> proxyBypass) override {
        calls.push_back("OpenSession(" + Quoted(agent) + ", " +
                        std::to_string(static_cast<int>(access)) + ", " + Quoted(proxyList) + ", " +
                        Quoted(proxyBypass) + ")");
        return sessionOpens ? &session_ : nullptr;
    }

    InternetHandle Connect(InternetHandle session, std::string_view host,
                           std::uint16_t port) override {
        calls.push_back("Connect(" + Name(session) + ", " + Quoted(host) + ", " +
                        std::to_string(port) + ")");
        return connectionOpens ? &connection_ : nullptr;
    }

    InternetHandle OpenRequest(InternetHandle connection, std::string_view verb,
                               std::string_view path, std::string_view version,
                               std::uint32_t flags) override {
        calls.push_back("OpenRequest(" + Name(connection) + ", " + Quoted(verb) + ", " +
                        Quoted(path) + ", " + Quoted(version) + ", " + Hex(flags) + ")");
        return requestOpens ? &request_ : nullptr;
    }

    void SendRequest(InternetHandle request, std::string_view headers,
                     std::string_view body) override {
        calls.push_back("SendRequest(" + Name(request) + ", " + Quoted(headers) + ", " +
                        Quoted(body) + ")");
    }

    bool Read(InternetHandle request, std::span<char> block, std::uint32_t& count) override {
        calls.push_back("Read(" + Name(request) + ", " + std::to_string(block.size()) + ")");
        if (std::any_of(block.begin(), block.end(), [](char byte) { return byte != '\0'; })) {
            calls.push_back("block not zero-filled");
        }
        if (nextBlock_ < blocks.size()) {
            const std::string& data = blocks[nextBlock_++];
            std::copy(data.begin(), data.end(), block.begin());
            count = static_cast<std::uint32_t>(data.size());
            return true;
        }
        if (fullBlocks > 0) {
            --fullBlocks;
            std::fill(block.begin(), block.end(), 'x');
            count = static_cast<std::uint32_t>(block.size());
            return true;
        }
        if (readFailsAtEnd) {
            count = 7;
            return false;
        }
        count = 0;
        return true;
    }

    HeaderQueryStatus QueryRawHeaders(InternetHandle request, std::span<char> buffer,
                                      std::uint32_t& needed) override {
        calls.push_back("QueryRawHeaders(" + Name(request) + ", " + std::to_string(buffer.size()) +
                        ")");
        if (!rawHeaders) {
            return HeaderQueryStatus::Failed;
        }
        if (rawHeaders->size() >= buffer.size()) {
            needed = static_cast<std::uint32_t>(rawHeaders->size() + 1);
            return HeaderQueryStatus::BufferTooSmall;
        }
        std::copy(rawHeaders->begin(), rawHeaders->end(), buffer.begin());
        buffer[rawHeaders->size()] = '\0';
        return HeaderQueryStatus::Written;
    }

    void Close(InternetHandle handle) override { calls.push_back("Close(" + Name(handle) + ")"); }

  private:
    std::string Name(InternetHandle handle) const {
        if (handle == &session_) {
            return "session";
        }
        if (handle == &connection_) {
            return "connection";
        }
        return handle == &request_ ? "request" : "unknown handle";
    }

    int session_ = 0;
    int connection_ = 0;
    int request_ = 0;
    std::size_t nextBlock_ = 0;
};

const std::string kAgentCall = "OpenSession(" + Quoted(kDefaultAgent) + ", 1, null, null)";
const std::string kCompleted = "Referer: http://example.com/notice.html\r\nAccept: */*\r\n"
                               "Accept-Language: zh-cn\r\n"
                               "Content-Type: application/x-www-form-urlencoded";
const std::string kReadCall = "Read(request, 1024)";
const std::string kQueryCall = "QueryRawHeaders(request, 5000)";
const std::vector<std::string> kCloseCalls = {"Close(request)", "Close(connection)",
                                              "Close(session)"};

class HttpVisitTest : public ::testing::Test {
  protected:
    std::string Visit(std::string_view url, HttpVisitArguments& arguments) {
        return HttpVisitWith(internet, toGbk, url, arguments);
    }
    std::string Visit(std::string_view url) {
        HttpVisitArguments scratch;
        return Visit(url, scratch);
    }

    // The calls from the send on.
    std::vector<std::string> CallsFrom(std::size_t index) const {
        return {internet.calls.begin() + static_cast<std::ptrdiff_t>(index), internet.calls.end()};
    }

    FakeInternet internet;
    std::vector<std::string> converted; // bodies handed to the conversion
    Utf8ToGbk toGbk = [this](std::string_view body) {
        converted.emplace_back(body);
        return "gbk:" + std::string(body);
    };
};

TEST_F(HttpVisitTest, WorkedExample) {
    internet.blocks = {"<p>notice", "</p>"};
    const std::string raw = "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; "
                            "HttpOnly\r\nLocation: http://example.com/next\r\n\r\n";
    internet.rawHeaders = raw;
    HttpVisitArguments arguments;

    EXPECT_EQ(Visit("http://example.com/notice.html", arguments), "<p>notice</p>");

    const std::vector<std::string> expected = {
        kAgentCall,
        "Connect(session, \"example.com\", 80)",
        "OpenRequest(connection, \"GET\", \"/notice.html\", \"HTTP/1.1\", 0x80004010)",
        "SendRequest(request, " + Quoted(kCompleted) + ", \"\")",
        kReadCall,
        kReadCall,
        kReadCall,
        kQueryCall,
        "Close(request)",
        "Close(connection)",
        "Close(session)",
    };
    EXPECT_EQ(internet.calls, expected);
    HttpVisitArguments after;
    after.headers = kCompleted;
    after.receivedCookies = "a=1; b=2";
    after.location = "http://example.com/next";
    after.rawHeaders = raw;
    EXPECT_EQ(arguments, after);
    EXPECT_TRUE(converted.empty());
}

TEST_F(HttpVisitTest, FailedOpenClosesWhatIsOpenAndWritesNothing) {
    struct Row {
        bool session;
        bool connection;
        std::vector<std::string> closes;
    };
    const std::vector<Row> rows = {
        {false, true, {}},
        {true, false, {"Close(session)"}},
        {true, true, {"Close(connection)", "Close(session)"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.closes.size());
        internet = FakeInternet();
        internet.sessionOpens = row.session;
        internet.connectionOpens = row.connection;
        internet.requestOpens = false;
        HttpVisitArguments arguments;
        arguments.method = 1;
        arguments.postText = "p=1";
        arguments.cookies = "a=1";
        arguments.headers = "X-A: 1";
        arguments.location = "kept";
        const HttpVisitArguments before = arguments;

        EXPECT_EQ(Visit("http://example.com/", arguments), "");
        EXPECT_EQ(CallsFrom(row.closes.size() + 1), row.closes);
        EXPECT_EQ(arguments, before);
    }
}

TEST_F(HttpVisitTest, PortOutsideTheRangeFailsBeforeAnyCall) {
    for (const char* url : {"http://example.com:65536/", "http://example.com:-1/",
                            "http://example.com:4294967376/", "http://example.com:99999999999/"}) {
        SCOPED_TRACE(url);
        internet = FakeInternet();
        HttpVisitArguments arguments;
        EXPECT_EQ(Visit(url, arguments), "");
        EXPECT_TRUE(internet.calls.empty());
        EXPECT_EQ(arguments, HttpVisitArguments());
    }
}

TEST_F(HttpVisitTest, PortsAtTheEdgesOfTheRangeAreUsed) {
    for (const auto& [url, port] : std::vector<std::pair<std::string, std::string>>{
             {"http://example.com:65535/", "65535"}, {"http://example.com:/", "0"}}) {
        internet = FakeInternet();
        Visit(url);
        EXPECT_EQ(internet.calls.at(1), "Connect(session, \"example.com\", " + port + ")");
    }
}

TEST_F(HttpVisitTest, SecureAddressInCapitals) {
    Visit("HTTPS://Example.COM/Path?q=1");
    EXPECT_EQ(internet.calls.at(1), "Connect(session, \"example.com\", 443)");
    EXPECT_EQ(internet.calls.at(2),
              "OpenRequest(connection, \"GET\", \"/Path?q=1\", \"HTTP/1.1\", 0x80800010)");
}

TEST_F(HttpVisitTest, MethodsAndBodies) {
    struct Row {
        int method;
        std::string postText;
        std::string postBytes;
        std::string verb;
        std::string sent;
        std::string postBytesAfter;
    };
    const std::vector<Row> rows = {
        {0, "p=1", "", "GET", "", ""},
        {1, "p=1", "", "POST", "p=1", "p=1"},
        {1, "p=1", "b\0y"s, "POST", "b\0y"s, "b\0y"s},
        {1, "", "", "POST", "", ""},
        {2, "p=1", "", "GET", "p=1", "p=1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.method);
        internet = FakeInternet();
        HttpVisitArguments arguments;
        arguments.method = row.method;
        arguments.postText = row.postText;
        arguments.postBytes = row.postBytes;
        Visit("http://example.com/notice.html", arguments);
        EXPECT_EQ(internet.calls.at(2), "OpenRequest(connection, " + Quoted(row.verb) +
                                            ", \"/notice.html\", \"HTTP/1.1\", 0x80004010)");
        EXPECT_EQ(internet.calls.at(3),
                  "SendRequest(request, " + Quoted(kCompleted) + ", " + Quoted(row.sent) + ")");
        EXPECT_EQ(arguments.postBytes, row.postBytesAfter);
    }
}

TEST_F(HttpVisitTest, CallersAgentLineIsUsedAndSent) {
    HttpVisitArguments arguments;
    arguments.headers = "X-A: 1\r\nUser-Agent: Tool/1.0\r\nX-B: 2";
    Visit("http://example.com/notice.html", arguments);
    EXPECT_EQ(internet.calls.at(0), "OpenSession(\"Tool/1.0\", 1, null, null)");
    EXPECT_EQ(arguments.headers, "X-A: 1\r\nUser-Agent: Tool/1.0\r\nX-B: 2\r\nReferer: "
                                 "http://example.com/notice.html\r\nAccept: */*\r\n"
                                 "Accept-Language: zh-cn\r\n"
                                 "Content-Type: application/x-www-form-urlencoded");
}

TEST_F(HttpVisitTest, ProxyGivenEvenEmpty) {
    for (const auto& [proxy, list] : std::vector<std::pair<std::string, std::string>>{
             {"", "http="}, {"127.0.0.1:8080", "http=127.0.0.1:8080"}}) {
        internet = FakeInternet();
        HttpVisitArguments arguments;
        arguments.proxy = proxy;
        Visit("http://example.com/", arguments);
        EXPECT_EQ(internet.calls.at(0),
                  "OpenSession(" + Quoted(kDefaultAgent) + ", 3, " + Quoted(list) + ", \"\")");
    }
}

TEST_F(HttpVisitTest, CookieJarGivenEmpty) {
    internet.rawHeaders = "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n\r\n";
    HttpVisitArguments arguments;
    arguments.cookies = "";
    Visit("http://example.com/notice.html", arguments);
    EXPECT_EQ(internet.calls.at(2),
              "OpenRequest(connection, \"GET\", \"/notice.html\", \"HTTP/1.1\", 0x80084010)");
    EXPECT_EQ(internet.calls.at(3), "SendRequest(request, " + Quoted(kCompleted) + ", \"\")");
    EXPECT_EQ(arguments.cookies, "a=1; b=2");
    EXPECT_EQ(arguments.receivedCookies, "a=1;b=2");
}

TEST_F(HttpVisitTest, CookieJarSentAndMerged) {
    internet.rawHeaders = "HTTP/1.1 200 OK\r\nSet-Cookie: sid=2; path=/\r\n\r\n";
    HttpVisitArguments arguments;
    arguments.cookies = "sid=1; theme=dark";
    Visit("http://example.com/notice.html", arguments);
    EXPECT_EQ(internet.calls.at(3), "SendRequest(request, " +
                                        Quoted(kCompleted + "\r\nCookie: sid=1; theme=dark") +
                                        ", \"\")");
    EXPECT_EQ(arguments.cookies, "sid=2; theme=dark");
    EXPECT_EQ(arguments.receivedCookies, "sid=2");
}

TEST_F(HttpVisitTest, WithoutCookieJarCookiesAreOnlyReported) {
    internet.rawHeaders = "HTTP/1.1 200 OK\r\nSet-Cookie: sid=2; path=/\r\nSet-Cookie: x = 1\r\n";
    HttpVisitArguments arguments;
    Visit("http://example.com/", arguments);
    EXPECT_EQ(arguments.cookies, std::nullopt);
    EXPECT_EQ(arguments.receivedCookies, "sid=2; x = 1");
}

TEST_F(HttpVisitTest, LocationFallsBackToTheRawHeaders) {
    const std::string raw = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
    internet.rawHeaders = raw;
    HttpVisitArguments arguments;
    Visit("http://example.com/", arguments);
    EXPECT_EQ(arguments.location, raw);

    internet = FakeInternet();
    internet.rawHeaders = raw;
    arguments = HttpVisitArguments();
    arguments.location = "http://example.com/given";
    Visit("http://example.com/", arguments);
    EXPECT_EQ(arguments.location, "http://example.com/given");
}

TEST_F(HttpVisitTest, FailedHeaderQueryLeavesTheSpaces) {
    internet.rawHeaders = std::nullopt;
    internet.blocks = {"body"};
    HttpVisitArguments arguments;
    EXPECT_EQ(Visit("http://example.com/", arguments), "body");
    EXPECT_EQ(CallsFrom(6), std::vector<std::string>({kQueryCall, "Close(request)",
                                                      "Close(connection)", "Close(session)"}));
    EXPECT_EQ(arguments.rawHeaders, std::string(5000, ' '));
    EXPECT_EQ(arguments.location, arguments.rawHeaders);
    EXPECT_EQ(arguments.receivedCookies, "");
}

TEST_F(HttpVisitTest, OversizedHeaderBlockIsQueriedAgainWithTheSizeItNeeds) {
    const std::string raw = "HTTP/1.1 200 OK\r\nX-Long: " + std::string(6000, 'a') +
                            "\r\nSet-Cookie: late=1\r\nLocation: /late\r\n\r\n";
    internet.rawHeaders = raw;
    HttpVisitArguments arguments;
    Visit("http://example.com/", arguments);
    const std::vector<std::string> expected = {
        kQueryCall, "QueryRawHeaders(request, " + std::to_string(raw.size() + 1) + ")",
        "Close(request)", "Close(connection)", "Close(session)"};
    EXPECT_EQ(CallsFrom(5), expected);
    EXPECT_EQ(arguments.rawHeaders, raw);
    EXPECT_EQ(arguments.receivedCookies, "late=1");
    EXPECT_EQ(arguments.location, "/late");
}

TEST_F(HttpVisitTest, FailedReadEndsTheBody) {
    internet.blocks = {"first", "second"};
    internet.readFailsAtEnd = true;
    EXPECT_EQ(Visit("http://example.com/"), "firstsecond");
    EXPECT_EQ(CallsFrom(4),
              std::vector<std::string>({kReadCall, kReadCall, kReadCall, kQueryCall,
                                        "Close(request)", "Close(connection)", "Close(session)"}));
}

TEST_F(HttpVisitTest, BodyEndsBeforeItsFirstZeroByte) {
    internet.blocks = {"ab\0cd"s, "ef"};
    EXPECT_EQ(Visit("http://example.com/"), "ab");
}

TEST_F(HttpVisitTest, Utf8BodyIsConvertedWhole) {
    const std::string body = "<meta charset=utf-8>" + std::string(2000, 'x');
    internet.blocks = {body.substr(0, 1024), body.substr(1024)};
    EXPECT_EQ(Visit("http://example.com/"), "gbk:" + body);
    EXPECT_EQ(converted, std::vector<std::string>({body}));
}

TEST_F(HttpVisitTest, ConversionFollowsTheHeadersAndTheZeroByteRuleStillHolds) {
    internet.rawHeaders = "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=UTF-8\r\n\r\n";
    internet.blocks = {"a\0b"s};
    EXPECT_EQ(Visit("http://example.com/"), "gbk:a");
    EXPECT_EQ(converted, std::vector<std::string>({"a\0b"s}));
}

TEST_F(HttpVisitTest, BodyWithoutUtf8IsLeftAlone) {
    internet.blocks = {"<meta charset=gbk>中文", std::string(600, 'x') + "utf-8"};
    EXPECT_EQ(Visit("http://example.com/"), internet.blocks[0] + internet.blocks[1]);
    EXPECT_TRUE(converted.empty());
}

TEST_F(HttpVisitTest, BodyOfTheLimitIsRead) {
    internet.fullBlocks = kMaxBodySize / kReadBlockSize;
    EXPECT_EQ(Visit("http://example.com/"), std::string(kMaxBodySize, 'x'));
}

TEST_F(HttpVisitTest, BodyPastTheLimitFailsTheRequest) {
    internet.blocks = {"y"};
    internet.fullBlocks = kMaxBodySize / kReadBlockSize;
    HttpVisitArguments arguments;
    arguments.location = "kept";
    EXPECT_EQ(Visit("http://example.com/notice.html", arguments), "");

    const std::size_t reads = kMaxBodySize / kReadBlockSize + 1;
    ASSERT_EQ(internet.calls.size(), 4 + reads + 3);
    EXPECT_EQ(CallsFrom(4 + reads - 1),
              std::vector<std::string>(
                  {kReadCall, "Close(request)", "Close(connection)", "Close(session)"}));
    HttpVisitArguments after;
    after.headers = kCompleted;
    after.location = "kept";
    EXPECT_EQ(arguments, after);
}

} // namespace
} // namespace tandrel
