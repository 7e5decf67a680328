#include "update/charset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel {
namespace {

using namespace std::string_literals;

// 中文 in the encodings below.
const std::string kUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";
const std::string kGbk = "\xD6\xD0\xCE\xC4";

struct ConvertRow {
    std::string label;
    std::string bytes;
    std::string source;
    std::string target;
    std::size_t skip;
    std::string expected;
};

TEST(ConvertCharset, ReencodesBetweenNamedCharsets) {
    const std::vector<ConvertRow> rows = {
        {"defaults are UTF-8 to GBK", kUtf8, "", "", 0, kGbk},
        {"GBK literal", kUtf8, "", "", 0, "中文"},
        {"ASCII unchanged", "Version 2.01\r\n<a href=\"x\">", "", "", 0,
         "Version 2.01\r\n<a href=\"x\">"},
        {"empty", "", "", "", 0, ""},
        {"text ends at its first NUL", "ab\0"s + kUtf8, "", "", 0, "ab"},
        {"leading NUL", "\0"s + kUtf8, "", "", 0, ""},
        {"skip 0", kUtf8, "", "", 0, kGbk},
        {"skip 2", kUtf8, "", "", 2, "\xCE\xC4"},
        {"skip all", kUtf8, "", "", 4, ""},
        {"skip beyond", kUtf8, "", "", 9, ""},
        {"names in any case", kUtf8, "utf-8", "gbk", 0, kGbk},
        {"GBK to UTF-8", kGbk, "GBK", "UTF-8", 0, kUtf8},
        {"GB2312 is GBK", kGbk, "gb2312", "utf-8", 0, kUtf8},
        {"GB18030", kUtf8, "", "GB18030", 0, kGbk},
        {"BIG5", kUtf8, "", "BIG5", 0, "\xA4\xA4\xA4\xE5"},
        {"Shift_JIS", kUtf8, "UTF-8", "shift_jis", 0, "\x92\x86\x95\xB6"},
        {"to UTF-16", kUtf8, "", "Unicode", 0, "\x2D\x4E\x87\x65"},
        {"from UTF-16", "\x2D\x4E\x87\x65", "UTF-16", "", 0, kGbk},
        {"from UTF-16 big-endian", "\x4E\x2D\x65\x87", "UTF-16BE", "", 0, kGbk},
        {"ISO-8859-1", "\xE9", "ISO-8859-1", "UTF-8", 0, "\xC3\xA9"},
        {"US-ASCII", "abc", "US-ASCII", "US-ASCII", 0, "abc"},
        {"byte-order mark dropped", "\xEF\xBB\xBF" + kUtf8, "", "", 0, kGbk},
        {"not in GBK", "\xED\x95\x9C", "", "", 0, "?"},
        {"unknown source", kUtf8, "klingon", "", 0, ""},
        {"unknown target", kUtf8, "", "klingon", 0, ""},
    };
    for (const ConvertRow& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(ConvertCharset(row.bytes, row.source, row.target, row.skip), row.expected);
    }
}

TEST(ConvertCharset, SkipLeftOutMeansNothingSkipped) {
    EXPECT_EQ(ConvertCharset(kUtf8), kGbk);
}

} // namespace
} // namespace tandrel
