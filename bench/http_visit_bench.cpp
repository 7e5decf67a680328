// HttpVisit reading a 32 MiB body from a server on 127.0.0.1, against a bare
// WinINet read loop with the same request and block size, in the same run.
#include "http_test_server.h"
#include "shell/wide.h"
#include "update/http_request.h"
#include "update/http_visit.h"

#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace tandrel {
namespace {

constexpr std::size_t kBodySize = std::size_t{32} << 20;
constexpr int kRepetitions = 9;
constexpr char kPath[] = "/large";

std::string LargeResponse() {
    std::string body(kBodySize, '\0');
    for (std::size_t i = 0; i < body.size(); ++i) {
        body[i] = static_cast<char>('a' + i % 26);
    }
    return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

double Seconds() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The same request as HttpVisit's, read in the same blocks into one string.
std::string BareRead(const std::string& url, unsigned short port) {
    std::string headers;
    CompleteHeaders(headers, url, "");
    const std::wstring wideHeaders = Widen(headers);
    std::string body;
    HINTERNET session =
        InternetOpenW(Widen(kDefaultAgent).c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET connection = InternetConnectW(session, L"127.0.0.1", port, nullptr, nullptr,
                                            INTERNET_SERVICE_HTTP, 0, 0);
    HINTERNET request = HttpOpenRequestW(connection, L"GET", Widen(kPath).c_str(), L"HTTP/1.1",
                                         nullptr, nullptr, RequestFlags(url, false, false), 0);
    HttpSendRequestW(request, wideHeaders.c_str(), static_cast<DWORD>(wideHeaders.size()), nullptr,
                     0);
    char block[kReadBlockSize];
    DWORD count = 0;
    while (InternetReadFile(request, block, sizeof block, &count) && count != 0) {
        body.append(block, count);
    }
    InternetCloseHandle(request);
    InternetCloseHandle(connection);
    InternetCloseHandle(session);
    return body;
}

// Seconds that `read` takes, after checking that it brings the whole body.
template <typename Read> double Time(Read read) {
    const double start = Seconds();
    const std::size_t size = read().size();
    const double elapsed = Seconds() - start;
    if (size != kBodySize) {
        std::printf("short body: %zu bytes\n", size);
    }
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Run() {
    HttpTestServer server;
    if (server.Port() == 0) {
        std::printf("the test server did not start\n");
        return 1;
    }
    server.Respond(kPath, LargeResponse());
    const std::string url = server.Url(kPath);

    std::vector<double> visit;
    std::vector<double> bare;
    for (int i = 0; i < kRepetitions; ++i) {
        // Alternate which one goes first, so neither always follows the other.
        if (i % 2 == 0) {
            visit.push_back(Time([&] { return HttpVisit(url); }));
        }
        bare.push_back(Time([&] { return BareRead(url, server.Port()); }));
        if (i % 2 != 0) {
            visit.push_back(Time([&] { return HttpVisit(url); }));
        }
    }
    const double visitMedian = Median(visit);
    const double bareMedian = Median(bare);
    std::printf("32 MiB body, %d runs each, median seconds:\n", kRepetitions);
    std::printf("  HttpVisit          %.3f\n", visitMedian);
    std::printf("  bare WinINet loop  %.3f\n", bareMedian);
    std::printf("  ratio              %.2f\n", visitMedian / bareMedian);
    return 0;
}

} // namespace
} // namespace tandrel

int main() {
    return tandrel::Run();
}
