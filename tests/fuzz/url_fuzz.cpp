// UrlHost, UrlPort and UrlPath on arbitrary bytes: no sanitizer finding, and
// the results keep their shape whatever the address.
#include "text_reference.h"

#include "update/text.h"
#include "update/url.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tandrel;
    using reference::Require;
    const std::string_view url(reinterpret_cast<const char*>(data), size);

    const std::string host = UrlHost(url);
    Require(host == ToLowerAscii(host));
    Require(Find(host, ":", Case::Sensitive) == -1);
    Require(UrlHost(url, {.keepPort = true}).starts_with(host));
    const std::string mainDomain = UrlHost(url, {.mainDomainOnly = true});
    Require(Find(mainDomain, ":", Case::Sensitive) == -1);
    Require(UrlHost(url, {.mainDomainOnly = true, .keepPort = true}).starts_with(mainDomain));

    const std::string path = UrlPath(url);
    Require(path.starts_with("/"));
    Require(path == "/" || url.ends_with(path));

    static_cast<void>(UrlPort(url));
    return 0;
}
