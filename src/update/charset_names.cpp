#include "update/charset_names.h"

#include "update/text.h"

#include <algorithm>
#include <array>

namespace tandrel {
namespace {

struct NamedCodePage {
    std::string_view name;
    unsigned codePage;
};

constexpr std::array kCodePages = {
    NamedCodePage{"utf-8", 65001},
    NamedCodePage{"utf8", 65001},
    NamedCodePage{"gbk", kGbk},
    NamedCodePage{"gb2312", kGbk},
    NamedCodePage{"cp936", kGbk},
    NamedCodePage{"gb18030", kGb18030},
    NamedCodePage{"big5", 950},
    NamedCodePage{"unicode", kUtf16LittleEndian},
    NamedCodePage{"utf-16", kUtf16LittleEndian},
    NamedCodePage{"utf-16le", kUtf16LittleEndian},
    NamedCodePage{"unicodefffe", kUtf16BigEndian},
    NamedCodePage{"utf-16be", kUtf16BigEndian},
    NamedCodePage{"iso-8859-1", 28591},
    NamedCodePage{"latin1", 28591},
    NamedCodePage{"windows-1252", 1252},
    NamedCodePage{"us-ascii", 20127},
    NamedCodePage{"ascii", 20127},
    NamedCodePage{"shift_jis", 932},
    NamedCodePage{"shift-jis", 932},
};

} // namespace

std::optional<unsigned> CodePageOf(std::string_view charset) {
    const auto found =
        std::find_if(kCodePages.begin(), kCodePages.end(), [charset](const NamedCodePage& entry) {
            return EqualsIgnoreCase(entry.name, charset);
        });
    if (found == kCodePages.end()) {
        return std::nullopt;
    }
    return found->codePage;
}

} // namespace tandrel
