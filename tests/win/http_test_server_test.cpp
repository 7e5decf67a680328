#include "http_test_server.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tandrel {
namespace {

constexpr DWORD kPatienceMilliseconds = 10000;

// A plain client socket, closed at the end of its scope.
class Client {
  public:
    explicit Client(unsigned short port) : socket_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        connected_ = connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        const DWORD timeout = kPatienceMilliseconds;
        setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout),
                   sizeof timeout);
    }
    ~Client() { closesocket(socket_); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    bool Connected() const { return connected_; }

    bool Send(const std::string& bytes) {
        return send(socket_, bytes.data(), static_cast<int>(bytes.size()), 0) ==
               static_cast<int>(bytes.size());
    }

    // Everything until the server closes the connection; nothing on a time-out.
    std::string ReceiveAll() {
        std::string received;
        char chunk[4096];
        for (int got; (got = recv(socket_, chunk, sizeof chunk, 0)) != 0;) {
            if (got < 0) {
                return "(timed out)";
            }
            received.append(chunk, static_cast<std::size_t>(got));
        }
        return received;
    }

  private:
    SOCKET socket_;
    bool connected_ = false;
};

// Winsock for the test's own client sockets, which may outlive a server.
class HttpTestServerTest : public ::testing::Test {
  protected:
    HttpTestServerTest() { started_ = WSAStartup(MAKEWORD(2, 2), &data_) == 0; }
    ~HttpTestServerTest() override {
        if (started_) {
            WSACleanup();
        }
    }

    void SetUp() override { ASSERT_TRUE(started_); }

  private:
    WSADATA data_{};
    bool started_ = false;
};

// Waits until the server has received `count` requests.
bool AwaitRequests(const HttpTestServer& server, std::size_t count) {
    for (DWORD waited = 0; waited < kPatienceMilliseconds; waited += 10) {
        if (server.Requests().size() >= count) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

TEST_F(HttpTestServerTest, AnswersScriptedPathsAndRecordsRequests) {
    HttpTestServer server;
    ASSERT_NE(server.Port(), 0);
    server.Respond("/a?x=1", "HTTP/1.1 200 OK\r\n\r\nraw bytes");

    Client scripted(server.Port());
    ASSERT_TRUE(scripted.Connected());
    const std::string post = "POST /a?x=1 HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello";
    ASSERT_TRUE(scripted.Send(post));
    EXPECT_EQ(scripted.ReceiveAll(), "HTTP/1.1 200 OK\r\n\r\nraw bytes");

    Client unknown(server.Port());
    ASSERT_TRUE(unknown.Send("GET /b HTTP/1.1\r\n\r\n"));
    EXPECT_EQ(unknown.ReceiveAll().rfind("HTTP/1.1 404 Not Found\r\n", 0), 0u);

    const std::vector<std::string> expected = {post, "GET /b HTTP/1.1\r\n\r\n"};
    EXPECT_EQ(server.Requests(), expected);
}

TEST_F(HttpTestServerTest, ClientLeavingEarlyDoesNotStopIt) {
    HttpTestServer server;
    ASSERT_NE(server.Port(), 0);
    server.Respond("/slow", "HTTP/1.1 200 OK\r\n\r\n" + std::string(4 << 20, 's'), 100);
    server.Respond("/fast", "HTTP/1.1 200 OK\r\n\r\nfast");
    {
        Client leaving(server.Port());
        ASSERT_TRUE(leaving.Send("GET /slow HTTP/1.1\r\n\r\n"));
    }
    Client next(server.Port());
    ASSERT_TRUE(next.Send("GET /fast HTTP/1.1\r\n\r\n"));
    EXPECT_EQ(next.ReceiveAll(), "HTTP/1.1 200 OK\r\n\r\nfast");
}

TEST_F(HttpTestServerTest, StoppingDuringADelayClosesWithoutAnswer) {
    auto server = std::make_unique<HttpTestServer>();
    ASSERT_NE(server->Port(), 0);
    server->Respond("/late", "HTTP/1.1 200 OK\r\n\r\nlate", INFINITE);
    Client waiting(server->Port());
    ASSERT_TRUE(waiting.Send("GET /late HTTP/1.1\r\n\r\n"));
    ASSERT_TRUE(AwaitRequests(*server, 1));

    server.reset();
    EXPECT_EQ(waiting.ReceiveAll(), "");
}

} // namespace
} // namespace tandrel
