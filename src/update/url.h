// Taking an address apart for an HTTP request, by plain text operations: only
// the schemes "http://" and "https://" are known, and unusual input gives
// whatever those operations give (a query without a path stays in the host,
// user information is taken for the host).
#pragma once

#include <string>
#include <string_view>

namespace tandrel {

struct HostOptions {
    bool mainDomainOnly = false; // keep the last two dot-separated labels only
    bool keepPort = false;       // keep ":port" after the host
};

// The host, lower-cased.
std::string UrlHost(std::string_view url, const HostOptions& options = {});
// The explicit port, else 443 for an address starting with "https", else 80.
int UrlPort(std::string_view url);
// The path with query and fragment, in the letter case of `url`; at least "/".
std::string UrlPath(std::string_view url);

} // namespace tandrel
