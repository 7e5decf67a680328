#include "update/url.h"

#include "update/text.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace tandrel {
namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kHttps = "https://";

// The text between the scheme and the first "/" after it; an address without
// "http://" anywhere in it is read as an http address.
std::string HostWithPort(std::string_view url) {
    std::string address = ToLowerAscii(url);
    if (address.empty() || address.back() != '/') {
        address.push_back('/');
    }
    if (address.starts_with(kHttps)) {
        return TextBetween(address, kHttps, "/");
    }
    if (!Contains(address, kHttp, Case::Sensitive)) {
        address.insert(0, kHttp);
    }
    return TextBetween(address, kHttp, "/");
}

// The last two dot-separated labels, or the host unchanged when it has one.
std::string MainDomain(const std::string& host) {
    const std::vector<std::string_view> labels = Split(host, ".");
    if (labels.size() < 2) {
        return host;
    }
    return std::string(labels[labels.size() - 2]) + "." + std::string(labels.back());
}

std::string WithoutPort(const std::string& host) {
    const std::ptrdiff_t colon = Find(host, ":", Case::Sensitive);
    return colon == -1 ? host : host.substr(0, static_cast<std::size_t>(colon - 1));
}

// Position of the last ":" in `host`, or -1.
std::ptrdiff_t LastColon(std::string_view host) {
    std::ptrdiff_t last = -1;
    for (std::ptrdiff_t at = Find(host, ":", Case::Sensitive); at != -1;
         at = Find(host, ":", Case::Sensitive, at + 1)) {
        last = at;
    }
    return last;
}

// A leading decimal integer after spaces and one sign, full-width forms
// counting as ASCII; 0 without leading digits. Saturates at the int range.
int LeadingInteger(std::string_view text) {
    const std::string folded = FoldFullWidth(text);
    std::size_t at = folded.find_first_not_of(' ');
    if (at == std::string::npos) {
        return 0;
    }
    const bool negative = folded[at] == '-';
    if (folded[at] == '-' || folded[at] == '+') {
        ++at;
    }
    long long value = 0;
    for (; at < folded.size() && folded[at] >= '0' && folded[at] <= '9'; ++at) {
        value = std::min(value * 10 + (folded[at] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    return static_cast<int>(negative ? -value : std::min<long long>(value, INT_MAX));
}

} // namespace

std::string UrlHost(std::string_view url, const HostOptions& options) {
    std::string host = HostWithPort(url);
    if (options.mainDomainOnly) {
        host = MainDomain(host);
    }
    return options.keepPort ? host : WithoutPort(host);
}

int UrlPort(std::string_view url) {
    const std::string host = UrlHost(url, {.keepPort = true});
    const std::ptrdiff_t colon = LastColon(host);
    if (colon != -1) {
        return LeadingInteger(std::string_view(host).substr(static_cast<std::size_t>(colon)));
    }
    return ToLowerAscii(url.substr(0, 5)) == "https" ? 443 : 80;
}

std::string UrlPath(std::string_view url) {
    const std::ptrdiff_t hostAt = Find(url, UrlHost(url), Case::Insensitive);
    const std::ptrdiff_t slash = Find(url, "/", Case::Sensitive, hostAt == -1 ? 1 : hostAt);
    if (slash == -1) {
        return "/";
    }
    return std::string(url.substr(static_cast<std::size_t>(slash - 1)));
}

} // namespace tandrel
