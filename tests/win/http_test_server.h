// A scripted HTTP server on 127.0.0.1 for tests. Each path answers with the
// raw response bytes it was given (status line, headers, blank line, body),
// after an optional delay, and then closes the connection; other paths get
// 404. Connections are served one at a time on the server's own thread.
#pragma once

#include <winsock2.h>

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tandrel {

class HttpTestServer {
  public:
    // Port 0 takes any free port.
    explicit HttpTestServer(unsigned short port = 0);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    // 0 when the server could not start.
    unsigned short Port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by `path`.
    std::string Url(const std::string& path) const;

    void Respond(const std::string& path, const std::string& rawResponse,
                 DWORD delayMilliseconds = 0);
    // Every request received so far, as raw bytes: request line, headers and body.
    std::vector<std::string> Requests() const;

  private:
    struct Script {
        std::shared_ptr<const std::string> response; // shared, not copied per request
        DWORD delayMilliseconds;
    };

    static DWORD WINAPI Run(void* server);
    void AcceptLoop();
    void Serve(SOCKET client);
    Script ScriptFor(const std::string& request) const;

    bool winsockStarted_ = false;
    unsigned short port_ = 0;
    SOCKET listener_ = INVALID_SOCKET;
    HANDLE stop_ = nullptr;
    HANDLE thread_ = nullptr;
    mutable SRWLOCK lock_ = SRWLOCK_INIT;
    std::map<std::string, Script> scripts_;
    std::vector<std::string> requests_;
};

} // namespace tandrel
