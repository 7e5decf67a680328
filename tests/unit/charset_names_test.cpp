#include "update/charset_names.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tandrel {
namespace {

TEST(CodePageOf, KnownNamesInAnyLetterCase) {
    const std::vector<std::pair<std::string, std::optional<unsigned>>> rows = {
        {"UTF-8", 65001u},        {"utf-8", 65001u},       {"GBK", 936u},
        {"gb2312", 936u},         {"GB18030", 54936u},     {"Big5", 950u},
        {"Unicode", 1200u},       {"UTF-16", 1200u},       {"UTF-16BE", 1201u},
        {"ISO-8859-1", 28591u},   {"US-ASCII", 20127u},    {"Shift_JIS", 932u},
        {"", std::nullopt},       {"utf-7", std::nullopt}, {" utf-8", std::nullopt},
        {"utf-8x", std::nullopt},
    };
    for (const auto& [name, codePage] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(CodePageOf(name), codePage);
    }
}

} // namespace
} // namespace tandrel
