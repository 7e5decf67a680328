#include "http_test_server.h"

#include "update/text.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace tandrel {
namespace {

// A client that stops sending or reading holds the server no longer than this.
constexpr DWORD kSocketTimeoutMilliseconds = 5000;
constexpr std::size_t kMaxRequestSize = std::size_t{1} << 20;
constexpr std::string_view kHeadEnd = "\r\n\r\n";
constexpr char kNotFound[] =
    "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";

class Locked {
  public:
    explicit Locked(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~Locked() { ReleaseSRWLockExclusive(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

  private:
    SRWLOCK& lock_;
};

// Whether the request's header block and as much body as it announces are in.
bool IsComplete(const std::string& request) {
    const std::size_t headEnd = request.find(kHeadEnd);
    if (headEnd == std::string::npos) {
        return false;
    }
    const std::string head = request.substr(0, headEnd + 2);
    const std::string length = TextBetween(head, "\r\nContent-Length:", "\r\n");
    const std::size_t bodySize = std::strtoul(length.c_str(), nullptr, 10);
    return request.size() >= headEnd + kHeadEnd.size() + bodySize;
}

std::string ReceiveRequest(SOCKET client) {
    std::string request;
    char chunk[4096];
    while (!IsComplete(request) && request.size() < kMaxRequestSize) {
        const int received = recv(client, chunk, sizeof chunk, 0);
        if (received <= 0) {
            break;
        }
        request.append(chunk, static_cast<std::size_t>(received));
    }
    return request;
}

void SendAll(SOCKET client, const std::string& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
        const int piece = static_cast<int>(std::min<std::size_t>(bytes.size() - sent, INT_MAX));
        const int written = send(client, bytes.data() + sent, piece, 0);
        if (written <= 0) {
            return; // the client has gone
        }
        sent += static_cast<std::size_t>(written);
    }
}

void SetTimeouts(SOCKET client) {
    const DWORD timeout = kSocketTimeoutMilliseconds;
    const char* value = reinterpret_cast<const char*>(&timeout);
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, value, sizeof timeout);
    setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, value, sizeof timeout);
}

// A listening socket on 127.0.0.1, or INVALID_SOCKET.
SOCKET Listen(unsigned short port) {
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET) {
        return INVALID_SOCKET;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, SOMAXCONN) != 0) {
        closesocket(listener);
        return INVALID_SOCKET;
    }
    return listener;
}

unsigned short BoundPort(SOCKET listener) {
    sockaddr_in address{};
    int size = sizeof address;
    if (getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        return 0;
    }
    return ntohs(address.sin_port);
}

} // namespace

HttpTestServer::HttpTestServer(unsigned short port) {
    WSADATA data;
    winsockStarted_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    if (!winsockStarted_) {
        return;
    }
    listener_ = Listen(port);
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (listener_ == INVALID_SOCKET || stop_ == nullptr) {
        return;
    }
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    if (thread_ != nullptr) {
        port_ = BoundPort(listener_);
    }
}

HttpTestServer::~HttpTestServer() {
    if (thread_ != nullptr) {
        SetEvent(stop_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    if (stop_ != nullptr) {
        CloseHandle(stop_);
    }
    if (listener_ != INVALID_SOCKET) {
        closesocket(listener_);
    }
    if (winsockStarted_) {
        WSACleanup();
    }
}

std::string HttpTestServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void HttpTestServer::Respond(const std::string& path, const std::string& rawResponse,
                             DWORD delayMilliseconds) {
    Locked locked(lock_);
    scripts_[path] = {std::make_shared<const std::string>(rawResponse), delayMilliseconds};
}

std::vector<std::string> HttpTestServer::Requests() const {
    Locked locked(lock_);
    return requests_;
}

DWORD WINAPI HttpTestServer::Run(void* server) {
    static_cast<HttpTestServer*>(server)->AcceptLoop();
    return 0;
}

// Waits for connections until the stop event is set.
void HttpTestServer::AcceptLoop() {
    WSAEVENT ready = WSACreateEvent();
    WSAEventSelect(listener_, ready, FD_ACCEPT);
    const HANDLE waits[] = {stop_, ready};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        WSAResetEvent(ready);
        for (SOCKET client; (client = accept(listener_, nullptr, nullptr)) != INVALID_SOCKET;) {
            // Accepted sockets inherit the listener's event selection and
            // non-blocking mode; the exchange itself blocks with time-outs.
            WSAEventSelect(client, nullptr, 0);
            u_long nonBlocking = 0;
            ioctlsocket(client, FIONBIO, &nonBlocking);
            Serve(client);
        }
    }
    WSACloseEvent(ready);
}

void HttpTestServer::Serve(SOCKET client) {
    SetTimeouts(client);
    const std::string request = ReceiveRequest(client);
    if (!request.empty()) {
        {
            Locked locked(lock_);
            requests_.push_back(request);
        }
        const Script script = ScriptFor(request);
        if (WaitForSingleObject(stop_, script.delayMilliseconds) == WAIT_TIMEOUT) {
            SendAll(client, *script.response);
        }
    }
    shutdown(client, SD_SEND);
    closesocket(client);
}

HttpTestServer::Script HttpTestServer::ScriptFor(const std::string& request) const {
    const std::string path = TextBetween(request, " ", " ");
    Locked locked(lock_);
    const auto found = scripts_.find(path);
    if (found != scripts_.end()) {
        return found->second;
    }
    return {std::make_shared<const std::string>(kNotFound), 0};
}

} // namespace tandrel
