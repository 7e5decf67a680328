#include "update/http_visit.h"

#include "update/cookies.h"
#include "update/http_request.h"
#include "update/url.h"

#include <utility>

namespace tandrel {
namespace {

constexpr std::string_view kProxyListPrefix = "http=";
constexpr int kHighestPort = 65535;

// Closes a WinINet handle when it goes out of scope, so handles opened one
// after the other close innermost first.
class ScopedHandle {
  public:
    ScopedHandle(InternetApi& internet, InternetHandle handle)
        : internet_(internet), handle_(handle) {}
    ~ScopedHandle() {
        if (handle_ != nullptr) {
            internet_.Close(handle_);
        }
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    InternetHandle Get() const { return handle_; }

  private:
    InternetApi& internet_;
    InternetHandle handle_;
};

struct Response {
    std::string body;
    std::string rawHeaders;
};

InternetHandle OpenSession(InternetApi& internet, std::string_view agent,
                           const std::optional<std::string>& proxy) {
    if (!proxy) {
        return internet.OpenSession(agent, InternetAccess::Direct, std::nullopt, std::nullopt);
    }
    const std::string proxyList = std::string(kProxyListPrefix) + *proxy;
    return internet.OpenSession(agent, InternetAccess::Proxy, proxyList, "");
}

// The body, read block by block until a read fails or brings nothing;
// nothing when it grows past the limit.
std::optional<std::string> ReadBody(InternetApi& internet, InternetHandle request) {
    std::string body;
    for (;;) {
        const std::size_t filled = body.size();
        body.resize(filled + kReadBlockSize); // the next block, zero-filled
        std::uint32_t count = 0;
        const bool read = internet.Read(request, std::span(body).subspan(filled), count);
        const bool more = read && count != 0 && count <= kReadBlockSize;
        body.resize(filled + (more ? count : 0));
        if (!more) {
            return body;
        }
        if (body.size() > kMaxBodySize) {
            return std::nullopt;
        }
    }
}

// The raw header block: the text before the zero byte the query writes, or
// the buffer's spaces when it writes nothing. When the buffer is too small the
// query is asked once more with the size it needs.
std::string QueryHeaders(InternetApi& internet, InternetHandle request) {
    std::string buffer(kRawHeaderBufferSize, ' ');
    std::uint32_t needed = 0;
    const HeaderQueryStatus status = internet.QueryRawHeaders(request, buffer, needed);
    if (status == HeaderQueryStatus::BufferTooSmall && needed > buffer.size() &&
        needed <= kMaxBodySize) {
        buffer.assign(needed, ' ');
        internet.QueryRawHeaders(request, buffer, needed);
    }
    CutAtZeroByte(buffer);
    return buffer;
}

// Opens the session, connection and request, sends and reads, and closes the
// handles again; nothing when an open fails or the body is too long.
std::optional<Response> Exchange(InternetApi& internet, std::string_view url, std::uint16_t port,
                                 HttpVisitArguments& arguments) {
    const ScopedHandle session(
        internet, OpenSession(internet, RequestAgent(arguments.headers), arguments.proxy));
    if (session.Get() == nullptr) {
        return std::nullopt;
    }
    const ScopedHandle connection(internet, internet.Connect(session.Get(), UrlHost(url), port));
    if (connection.Get() == nullptr) {
        return std::nullopt;
    }
    const std::uint32_t flags =
        RequestFlags(url, arguments.cookies.has_value(), arguments.noRedirect);
    const ScopedHandle request(internet,
                               internet.OpenRequest(connection.Get(), RequestVerb(arguments.method),
                                                    UrlPath(url), kHttpVersion, flags));
    if (request.Get() == nullptr) {
        return std::nullopt;
    }
    CompleteHeaders(arguments.headers, url, arguments.cookies.value_or(std::string()));
    internet.SendRequest(request.Get(), arguments.headers,
                         RequestBody(arguments.method, arguments.postText, arguments.postBytes));
    std::optional<std::string> body = ReadBody(internet, request.Get());
    if (!body) {
        return std::nullopt;
    }
    return Response{std::move(*body), QueryHeaders(internet, request.Get())};
}

// Location, received cookies, the cookie jar and the raw headers from the
// response's header block.
void TakeResponseHeaders(const std::string& rawHeaders, HttpVisitArguments& arguments) {
    HeaderScan scan = ScanResponseHeaders(rawHeaders);
    if (scan.location) {
        arguments.location = std::move(*scan.location);
    }
    arguments.receivedCookies = std::move(scan.cookies);
    if (arguments.cookies) {
        MergeCookies(*arguments.cookies, arguments.receivedCookies);
    }
    if (arguments.location.empty()) {
        arguments.location = rawHeaders;
    }
    arguments.rawHeaders = rawHeaders;
}

} // namespace

std::string HttpVisitWith(InternetApi& internet, const Utf8ToGbk& toGbk, std::string_view url,
                          HttpVisitArguments& arguments) {
    const int port = UrlPort(url);
    if (port < 0 || port > kHighestPort) {
        return {};
    }
    std::optional<Response> response =
        Exchange(internet, url, static_cast<std::uint16_t>(port), arguments);
    if (!response) {
        return {};
    }
    TakeResponseHeaders(response->rawHeaders, arguments);
    std::string body = std::move(response->body);
    if (IsUtf8Response(body, arguments.rawHeaders)) {
        body = toGbk(body);
    }
    CutAtZeroByte(body);
    return body;
}

} // namespace tandrel
