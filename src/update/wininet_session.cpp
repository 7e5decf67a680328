// HttpVisit over WinINet's wide functions: texts cross as UTF-16 from GBK.
// WinINet is loaded by name on the first request, so start-up does not pay
// for it.
#include "update/http_visit.h"

#include "shell/wide.h"
#include "update/charset.h"

#include <windows.h>

#include <wininet.h>

#include <algorithm>

namespace tandrel {
namespace {

struct WinInetFunctions {
    decltype(&InternetOpenW) open = nullptr;
    decltype(&InternetConnectW) connect = nullptr;
    decltype(&HttpOpenRequestW) openRequest = nullptr;
    decltype(&HttpSendRequestW) send = nullptr;
    decltype(&InternetReadFile) read = nullptr;
    decltype(&HttpQueryInfoW) query = nullptr;
    decltype(&InternetCloseHandle) close = nullptr;

    bool Complete() const {
        return open && connect && openRequest && send && read && query && close;
    }
};

template <typename Function> void Resolve(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

BOOL CALLBACK LoadWinInet(PINIT_ONCE, void* parameter, void**) {
    auto* functions = static_cast<WinInetFunctions*>(parameter);
    HMODULE module = LoadLibraryW(L"wininet.dll");
    if (module != nullptr) {
        Resolve(module, "InternetOpenW", functions->open);
        Resolve(module, "InternetConnectW", functions->connect);
        Resolve(module, "HttpOpenRequestW", functions->openRequest);
        Resolve(module, "HttpSendRequestW", functions->send);
        Resolve(module, "InternetReadFile", functions->read);
        Resolve(module, "HttpQueryInfoW", functions->query);
        Resolve(module, "InternetCloseHandle", functions->close);
    }
    return TRUE;
}

// The functions, or null when WinINet cannot be loaded. The library stays
// loaded for the life of the process.
const WinInetFunctions* WinInet() {
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    static WinInetFunctions functions;
    InitOnceExecuteOnce(&once, LoadWinInet, &functions, nullptr);
    return functions.Complete() ? &functions : nullptr;
}

std::optional<std::wstring> WidenIfPresent(std::optional<std::string_view> text) {
    return text ? std::optional(Widen(*text)) : std::nullopt;
}

const wchar_t* PointerOrNull(const std::optional<std::wstring>& text) {
    return text ? text->c_str() : nullptr;
}

class WinInetApi final : public InternetApi {
  public:
    explicit WinInetApi(const WinInetFunctions& api) : api_(api) {}

    InternetHandle OpenSession(std::string_view agent, InternetAccess access,
                               std::optional<std::string_view> proxyList,
                               std::optional<std::string_view> proxyBypass) override {
        const std::optional<std::wstring> list = WidenIfPresent(proxyList);
        const std::optional<std::wstring> bypass = WidenIfPresent(proxyBypass);
        return api_.open(Widen(agent).c_str(), static_cast<DWORD>(access), PointerOrNull(list),
                         PointerOrNull(bypass), 0);
    }

    InternetHandle Connect(InternetHandle session, std::string_view host,
                           std::uint16_t port) override {
        return api_.connect(session, Widen(host).c_str(), port, nullptr, nullptr,
                            INTERNET_SERVICE_HTTP, 0, 0);
    }

    InternetHandle OpenRequest(InternetHandle connection, std::string_view verb,
                               std::string_view path, std::string_view version,
                               std::uint32_t flags) override {
        return api_.openRequest(connection, Widen(verb).c_str(), Widen(path).c_str(),
                                Widen(version).c_str(), nullptr, nullptr, flags, 0);
    }

    void SendRequest(InternetHandle request, std::string_view headers,
                     std::string_view body) override {
        const std::wstring wideHeaders = Widen(headers);
        api_.send(request, wideHeaders.c_str(), static_cast<DWORD>(wideHeaders.size()),
                  const_cast<char*>(body.data()), static_cast<DWORD>(body.size()));
    }

    bool Read(InternetHandle request, std::span<char> block, std::uint32_t& count) override {
        DWORD read = 0;
        if (!api_.read(request, block.data(), static_cast<DWORD>(block.size()), &read)) {
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
        if (!api_.query(request, HTTP_QUERY_RAW_HEADERS_CRLF, wide.data(), &length, nullptr)) {
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

    void Close(InternetHandle handle) override { api_.close(handle); }

  private:
    const WinInetFunctions& api_;
};

std::string Utf8BodyToGbk(std::string_view body) {
    return ConvertCharset(body);
}

} // namespace

std::string HttpVisit(std::string_view url, HttpVisitArguments& arguments) {
    const WinInetFunctions* functions = WinInet();
    if (functions == nullptr) {
        return {};
    }
    WinInetApi internet(*functions);
    return HttpVisitWith(internet, Utf8BodyToGbk, url, arguments);
}

std::string HttpVisit(std::string_view url, HttpVisitArguments&& arguments) {
    return HttpVisit(url, arguments);
}

} // namespace tandrel
