// One HTTP or HTTPS request with browser-like defaults, returning the body as
// GBK text. The flow is portable; WinINet comes in through InternetApi.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tandrel {

// Everything of a request besides its address. A default-constructed value
// is a plain GET with the default headers. Fields marked out or in/out hold
// what the request wrote into them afterwards.
struct HttpVisitArguments {
    int method = 0;            // 1: POST; any non-zero value sends a body
    std::string postText = {}; // the body when `postBytes` is empty
    // in/out. Given (even empty): sent as a Cookie line, WinINet's own cookies
    // are off, and the response's cookies are merged into it afterwards.
    std::optional<std::string> cookies = std::nullopt;
    std::string receivedCookies = {}; // out: name=value entries the response set
    std::string headers = {};         // in/out: extra lines by CR LF; the block as sent
    std::string location = {};        // in/out: redirect target, else the raw headers
    bool noRedirect = false;
    std::string postBytes = {};                      // in/out: body bytes
    std::optional<std::string> proxy = std::nullopt; // given: "host:port" of an http proxy
    std::string rawHeaders = {};                     // out: the response's header block

    bool operator==(const HttpVisitArguments&) const = default;
};

// WinINet's handles; null is a failed open.
using InternetHandle = void*;

enum class InternetAccess : std::uint32_t { Direct = 1, Proxy = 3 };

enum class HeaderQueryStatus { Written, BufferTooSmall, Failed };

// The WinINet calls a request makes, with the values that vary. The rest are
// fixed: no user name or password, the HTTP service, no referrer or accept
// types, flags 0 where not given, context 0, the raw headers by CR LF.
class InternetApi {
  public:
    virtual ~InternetApi() = default;

    // An absent proxy list or bypass list is a null pointer.
    virtual InternetHandle OpenSession(std::string_view agent, InternetAccess access,
                                       std::optional<std::string_view> proxyList,
                                       std::optional<std::string_view> proxyBypass) = 0;
    virtual InternetHandle Connect(InternetHandle session, std::string_view host,
                                   std::uint16_t port) = 0;
    virtual InternetHandle OpenRequest(InternetHandle connection, std::string_view verb,
                                       std::string_view path, std::string_view version,
                                       std::uint32_t flags) = 0;
    // Whether sending worked is not asked: a failed send reads no body.
    virtual void SendRequest(InternetHandle request, std::string_view headers,
                             std::string_view body) = 0;
    // False when the read failed; `count` means nothing then.
    virtual bool Read(InternetHandle request, std::span<char> block, std::uint32_t& count) = 0;
    // Written: the header block and a zero byte are in `buffer`. BufferTooSmall:
    // `needed` is a size that will do.
    virtual HeaderQueryStatus QueryRawHeaders(InternetHandle request, std::span<char> buffer,
                                              std::uint32_t& needed) = 0;
    virtual void Close(InternetHandle handle) = 0;
};

// UTF-8 bytes to GBK bytes.
using Utf8ToGbk = std::function<std::string(std::string_view)>;

inline constexpr std::size_t kReadBlockSize = 1024;
inline constexpr std::size_t kRawHeaderBufferSize = 5000;
// A longer body fails the request.
inline constexpr std::size_t kMaxBodySize = std::size_t{64} << 20;

// The request through `internet`. The result is the body as text, converted
// from UTF-8 when it says it is UTF-8; empty when the port is out of range,
// an open fails (nothing written to `arguments` then) or the body is too long
// (then only `headers` and `postBytes` hold what was sent).
std::string HttpVisitWith(InternetApi& internet, const Utf8ToGbk& toGbk, std::string_view url,
                          HttpVisitArguments& arguments);

// The request through WinINet (Windows only).
std::string HttpVisit(std::string_view url, HttpVisitArguments& arguments);
std::string HttpVisit(std::string_view url, HttpVisitArguments&& arguments = {});

} // namespace tandrel
