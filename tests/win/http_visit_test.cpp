#include "update/http_visit.h"

#include "http_test_server.h"
#include "update/http_request.h"

#include <gtest/gtest.h>

#include <string>

namespace tandrel {
namespace {

// 中文 in UTF-8.
const std::string kUtf8Chinese = "\xE4\xB8\xAD\xE6\x96\x87";

// A complete response with the given extra header lines (each ending in CR LF).
std::string Response(const std::string& status, const std::string& headers,
                     const std::string& body) {
    return "HTTP/1.1 " + status + "\r\n" + headers +
           "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
           body;
}

std::string Ok(const std::string& headers, const std::string& body) {
    return Response("200 OK", headers, body);
}

bool HasLine(const std::string& request, const std::string& line) {
    return request.find("\r\n" + line + "\r\n") != std::string::npos;
}

class HttpVisitServerTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(server.Port(), 0); }

    // The one request the server received.
    std::string OnlyRequest() const {
        const std::vector<std::string> requests = server.Requests();
        EXPECT_EQ(requests.size(), 1u);
        return requests.empty() ? std::string() : requests.front();
    }

    HttpTestServer server;
};

TEST_F(HttpVisitServerTest, PlainGetSendsTheDefaultLines) {
    const std::string raw = Ok("Content-Type: text/html\r\n", "<p>hello</p>");
    server.Respond("/notice.html?v=1", raw);
    const std::string url = server.Url("/notice.html?v=1");

    EXPECT_EQ(HttpVisit(url), "<p>hello</p>");

    const std::string request = OnlyRequest();
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET /notice.html?v=1 HTTP/1.1");
    EXPECT_TRUE(HasLine(request, "Referer: " + url));
    EXPECT_TRUE(HasLine(request, "Accept: */*"));
    EXPECT_TRUE(HasLine(request, "Accept-Language: zh-cn"));
    EXPECT_TRUE(HasLine(request, "Content-Type: application/x-www-form-urlencoded"));
    EXPECT_TRUE(HasLine(request, "User-Agent: " + std::string(kDefaultAgent)));
}

TEST_F(HttpVisitServerTest, OutputsHoldTheSentAndReceivedHeaders) {
    server.Respond("/plain", Ok("X-Served-By: test\r\n", "body"));
    HttpVisitArguments arguments;
    EXPECT_EQ(HttpVisit(server.Url("/plain"), arguments), "body");

    EXPECT_EQ(arguments.headers, "Referer: " + server.Url("/plain") +
                                     "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
                                     "Content-Type: application/x-www-form-urlencoded");
    EXPECT_EQ(arguments.rawHeaders.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
    EXPECT_NE(arguments.rawHeaders.find("\r\nX-Served-By: test\r\n"), std::string::npos);
    EXPECT_EQ(arguments.location, arguments.rawHeaders);
    EXPECT_EQ(arguments.receivedCookies, "");
}

TEST_F(HttpVisitServerTest, SetCookieAndLocationLines) {
    server.Respond("/cookies", Ok("Set-Cookie: a=1; path=/cookies\r\nSet-Cookie: b=2\r\n"
                                  "Set-Cookie2: c=3\r\nSet-Cookie: 名=中文; path=/cookies\r\n"
                                  "Content-Location: /moved\r\n",
                                  "ok"));
    HttpVisitArguments arguments;
    HttpVisit(server.Url("/cookies"), arguments);
    EXPECT_EQ(arguments.receivedCookies, "a=1; b=2; 名=中文");
    EXPECT_EQ(arguments.location, "/moved");
}

TEST_F(HttpVisitServerTest, RedirectIsFollowedUnlessForbidden) {
    server.Respond("/old", Response("302 Found", "Location: /new\r\n", "moved"));
    server.Respond("/new", Ok("", "new page"));

    HttpVisitArguments stay;
    stay.noRedirect = true;
    EXPECT_EQ(HttpVisit(server.Url("/old"), stay), "moved");
    EXPECT_EQ(stay.location, "/new");
    EXPECT_EQ(server.Requests().size(), 1u);

    EXPECT_EQ(HttpVisit(server.Url("/old")), "new page");
    EXPECT_EQ(server.Requests().size(), 3u);
}

TEST_F(HttpVisitServerTest, CookieJarIsSentAndMerged) {
    server.Respond("/jar", Ok("Set-Cookie: sid=2; path=/jar\r\n", "ok"));
    HttpVisitArguments arguments;
    arguments.cookies = "sid=1; theme=dark";
    HttpVisit(server.Url("/jar"), arguments);

    EXPECT_TRUE(HasLine(OnlyRequest(), "Cookie: sid=1; theme=dark"));
    EXPECT_EQ(arguments.cookies, "sid=2; theme=dark");
    EXPECT_EQ(arguments.receivedCookies, "sid=2");
}

TEST_F(HttpVisitServerTest, Utf8PagesBecomeGbk) {
    server.Respond("/meta", Ok("", "<meta charset=utf-8>" + kUtf8Chinese));
    server.Respond("/header", Ok("Content-Type: text/html; charset=UTF-8\r\n", kUtf8Chinese));
    EXPECT_EQ(HttpVisit(server.Url("/meta")), "<meta charset=utf-8>中文");
    EXPECT_EQ(HttpVisit(server.Url("/header")), "中文");
}

TEST_F(HttpVisitServerTest, GbkPageIsLeftAlone) {
    const std::string page = "<meta charset=gbk>" + std::string(3000, '-') + "中文版本";
    server.Respond("/gbk", Ok("Content-Type: text/html; charset=gbk\r\n", page));
    EXPECT_EQ(HttpVisit(server.Url("/gbk")), page);
}

TEST_F(HttpVisitServerTest, OversizedHeaderBlockIsReadWhole) {
    std::string lines;
    for (int i = 0; i < 120; ++i) {
        lines += "X-Fill-" + std::to_string(i) + ": " + std::string(90, 'a') + "\r\n";
    }
    ASSERT_GT(lines.size(), 2 * kRawHeaderBufferSize);
    server.Respond(
        "/big", Ok(lines + "Set-Cookie: late=1; path=/big\r\nContent-Location: /late\r\n", "ok"));
    HttpVisitArguments arguments;
    EXPECT_EQ(HttpVisit(server.Url("/big"), arguments), "ok");
    EXPECT_NE(arguments.rawHeaders.find("\r\n" + lines), std::string::npos);
    EXPECT_EQ(arguments.receivedCookies, "late=1");
    EXPECT_EQ(arguments.location, "/late");
}

TEST_F(HttpVisitServerTest, PostSendsTheBody) {
    server.Respond("/form", Ok("", "posted"));
    HttpVisitArguments arguments;
    arguments.method = 1;
    arguments.postText = "name=中文&v=1";
    EXPECT_EQ(HttpVisit(server.Url("/form"), arguments), "posted");

    const std::string request = OnlyRequest();
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "POST /form HTTP/1.1");
    EXPECT_TRUE(HasLine(request, "Content-Length: " + std::to_string(arguments.postText.size())));
    EXPECT_EQ(request.substr(request.find("\r\n\r\n") + 4), "name=中文&v=1");
    EXPECT_EQ(arguments.postBytes, "name=中文&v=1");
}

TEST_F(HttpVisitServerTest, BodyCutShortGivesWhatArrived) {
    server.Respond("/short", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789");
    EXPECT_EQ(HttpVisit(server.Url("/short")), "0123456789");
}

TEST_F(HttpVisitServerTest, BodyEndingAtConnectionClose) {
    const std::string body(5000, 'z');
    server.Respond("/close", "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body);
    EXPECT_EQ(HttpVisit(server.Url("/close")), body);
}

TEST(HttpVisitUnreachable, GivesAnEmptyResult) {
    std::string url;
    {
        HttpTestServer gone;
        ASSERT_NE(gone.Port(), 0);
        url = gone.Url("/notice.html");
    }
    HttpVisitArguments arguments;
    EXPECT_EQ(HttpVisit(url, arguments), "");
    EXPECT_EQ(arguments.receivedCookies, "");
}

} // namespace
} // namespace tandrel
