// HttpVisit over WinINet's wide functions: texts cross as UTF-16 from GBK.
#include "update/http_visit.h"

#include "shell/wide.h"
#include "update/charset.h"

#include <windows.h>

#include <wininet.h>

#include <algorithm>

namespace tandrel {
namespace {

std::optional<std::wstring> WidenIfPresent(std::optional<std::string_view> text) {
    return text ? std::optional(Widen(*text)) : std::nullopt;
}

const wchar_t* PointerOrNull(const std::optional<std::wstring>& text) {
    return text ? text->c_str() : nullptr;
}

class WinInetApi final : public InternetApi {
  public:
    InternetHandle OpenSession(std::string_view agent, InternetAccess access,
                               std::optional<std::string_view> proxyList,
                               std::optional<std::string_view> proxyBypass) override {
        const std::optional<std::wstring> list = WidenIfPresent(proxyList);
        const std::optional<std::wstring> bypass = WidenIfPresent(proxyBypass);
        return InternetOpenW(Widen(agent).c_str(), static_cast<DWORD>(access), PointerOrNull(list),
                             PointerOrNull(bypass), 0);
    }

    InternetHandle Connect(InternetHandle session, std::string_view host,
                           std::uint16_t port) override {
        return InternetConnectW(session, Widen(host).c_str(), port, nullptr, nullptr,
                                INTERNET_SERVICE_HTTP, 0, 0);
    }

    InternetHandle OpenRequest(InternetHandle connection, std::string_view verb,
                               std::string_view path, std::string_view version,
                               std::uint32_t flags) override {
        return HttpOpenRequestW(connection, Widen(verb).c_str(), Widen(path).c_str(),
                                Widen(version).c_str(), nullptr, nullptr, flags, 0);
    }

    void SendRequest(InternetHandle request, std::string_view headers,
                     std::string_view body) override {
        const std::wstring wideHeaders = Widen(headers);
        HttpSendRequestW(request, wideHeaders.c_str(), static_cast<DWORD>(wideHeaders.size()),
                         const_cast<char*>(body.data()), static_cast<DWORD>(body.size()));
    }

    bool Read(InternetHandle request, std::span<char> block, std::uint32_t& count) override {
        DWORD read = 0;
        if (!InternetReadFile(request, block.data(), static_cast<DWORD>(block.size()), &read)) {
            return false;
        }
        count = read;
        return true;
    }

    // The wide query gets as many UTF-16 units as the buffer has bytes; the
    // GBK text must then still fit with its zero byte.
    HeaderQueryStatus QueryRawHeaders(InternetHandle request, std::span<char> buffer,
                                      std::uint32_t& needed) override {
        std::wstring wide(buffer.size(), L'\0');
        DWORD length = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
        if (!HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS_CRLF, wide.data(), &length, nullptr)) {
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
                return HeaderQueryStatus::Failed;
            }
            needed = length; // GBK takes at most two bytes per UTF-16 unit
            return HeaderQueryStatus::BufferTooSmall;
        }
        const std::string text = Narrow(wide.c_str());
        if (text.size() >= buffer.size()) {
            needed = static_cast<std::uint32_t>(text.size() + 1);
            return HeaderQueryStatus::BufferTooSmall;
        }
        std::copy(text.begin(), text.end(), buffer.begin());
        buffer[text.size()] = '\0';
        return HeaderQueryStatus::Written;
    }

    void Close(InternetHandle handle) override { InternetCloseHandle(handle); }
};

std::string Utf8BodyToGbk(std::string_view body) {
    return ConvertCharset(body);
}

} // namespace

std::string HttpVisit(std::string_view url, HttpVisitArguments& arguments) {
    WinInetApi internet;
    return HttpVisitWith(internet, Utf8BodyToGbk, url, arguments);
}

std::string HttpVisit(std::string_view url, HttpVisitArguments&& arguments) {
    return HttpVisit(url, arguments);
}

} // namespace tandrel
