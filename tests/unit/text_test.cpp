#include "update/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel {
namespace {

// Two-byte characters whose second byte is an ASCII character: 稟 is B7 41
// ("A"), 俛 is 82 61 ("a"), 匸 is 85 5B ("["), 圿 is 88 5D ("]"), 啊 is B0 A1.
// A lone B0 or D6 at the end of a text is a character cut short.

struct FindRow {
    std::string text;
    std::string pattern;
    Case letterCase;
    std::ptrdiff_t from;
    std::ptrdiff_t expected;
};

TEST(Find, PositionsAndTwoByteCharacters) {
    const std::vector<FindRow> rows = {
        {"abcabc", "c", Case::Sensitive, 1, 3},
        {"abcabc", "c", Case::Sensitive, 4, 6},
        {"abcabc", "c", Case::Sensitive, 7, -1},
        {"abcabc", "c", Case::Sensitive, -5, 3},
        {"abcabc", "x", Case::Sensitive, 1, -1},
        {"abc", "abcd", Case::Sensitive, 1, -1},
        {"abC", "c", Case::Sensitive, 1, -1},
        {"abC", "c", Case::Insensitive, 1, 3},
        {"ABC", "aBc", Case::Insensitive, 1, 1},
        // An empty pattern is found at 1 while anything is left to search.
        {"abc", "", Case::Sensitive, 3, 1},
        {"abc", "", Case::Sensitive, 4, -1},
        {"", "", Case::Sensitive, 1, -1},
        // Never a match on a second byte.
        {"圿]", "]", Case::Sensitive, 1, 3},
        {"匸[", "[", Case::Sensitive, 1, 3},
        {"稟", "A", Case::Sensitive, 1, -1},
        {"稟", "a", Case::Insensitive, 1, -1},
        {"俛", "A", Case::Insensitive, 1, -1},
        {"中中", "\xD0\xD6", Case::Sensitive, 1, -1},
        {"啊啊啊x", "\xA1\xB0", Case::Sensitive, 1, -1},
        {"啊啊啊x", "啊x", Case::Sensitive, 1, 5},
        // Bytes of two-byte characters match exactly even without regard to case.
        {"丄A", "丄a", Case::Insensitive, 1, 1},
        {"丄", "乤", Case::Insensitive, 1, -1},
        {"x中文Y", "中文y", Case::Insensitive, 1, 2},
        // The byte at the start position counts as the start of a character.
        {"中中", "\xD0\xD6", Case::Sensitive, 2, 2},
        // A character cut short by the end.
        {"ab\xD6", "b", Case::Sensitive, 1, 2},
        {"ab\xD6", "b\xD6", Case::Sensitive, 1, 2},
        {"a\xD6", "\xD6\xD0", Case::Sensitive, 1, -1},
        // Many near misses before the match.
        {"aaaaaaaaab", "aab", Case::Insensitive, 1, 8},
        {"AaAaAaAab", "aab", Case::Insensitive, 1, 7},
    };
    for (const FindRow& row : rows) {
        SCOPED_TRACE(row.text + " / " + row.pattern + " from " + std::to_string(row.from));
        EXPECT_EQ(Find(row.text, row.pattern, row.letterCase, row.from), row.expected);
    }
}

struct BetweenRow {
    std::string text;
    std::string begin;
    std::string end;
    BetweenOptions options;
    std::string expected;
};

TEST(TextBetween, WorkedExamplesAndTraps) {
    const std::vector<BetweenRow> rows = {
        {"a[b]c[d]e", "[", "]", {}, "b"},
        {"a[b]c[d]e", "[", "]", {.from = 3}, "d"},
        {"a[b]c[d]e", "[", "]", {.from = 10}, ""},
        {"Key=ABC;key=def;", "key=", ";", {}, "ABC"},
        {"Key=ABC;key=def;", "key=", ";", {.letterCase = Case::Sensitive}, "def"},
        {"a[b", "[", "]", {}, ""},
        {"a[]b", "[", "]", {}, ""},
        {"x]a[b]c", "[", "]", {}, "b"},
        {"abc]def", "", "]", {}, "abc"},
        {"a[bc", "[", "", {}, ""},
        // "#引号" stands for a double quote in either marker.
        {"f\"(x)\"g", "#引号(", ")#引号", {}, "x"},
        {"#引号x#引号", "#引号", "#引号", {}, ""},
        // An empty start marker is found at 1 whatever the start position.
        {"abc]def", "", "]", {.from = 5}, "abc"},
        {"abc]def", "", "]", {.from = 8}, ""},
        {"a[b]", "[", "]", {.from = -3}, "b"},
        {"ab[", "[", "]", {}, ""},
        // Markers inside two-byte characters are not markers.
        {"匸a[b]", "[", "]", {}, "b"},
        {"[a圿b]", "[", "]", {}, "a圿b"},
        {"[稟]", "[", "]", {}, "稟"},
        {"////开始\r\n中文 text\r\n////结束", "////开始", "////结束", {}, "\r\n中文 text\r\n"},
        {"<TITLE>x</title>", "<title>", "</TITLE>", {}, "x"},
        {"[x]\xD6", "[", "]", {}, "x"},
        {"[x\xD6", "[", "]", {}, ""},
    };
    for (const BetweenRow& row : rows) {
        SCOPED_TRACE(row.text + " / " + row.begin + " / " + row.end);
        EXPECT_EQ(TextBetween(row.text, row.begin, row.end, row.options), row.expected);
    }
}

struct ReplaceRow {
    std::string text;
    std::vector<ReplacePair> pairs;
    ReplaceOptions options;
    std::string expected;
};

TEST(ReplaceMany, WorkedExamplesAndTraps) {
    const std::vector<ReplaceRow> rows = {
        {"a|b||c", {{"|", "\r\n"}}, {}, "a\r\nb\r\n\r\nc"},
        {"aXbxc", {{"x", "-"}}, {}, "a-b-c"},
        {"aXbxc", {{"x", "-"}}, {.letterCase = Case::Sensitive}, "aXb-c"},
        {"xxxx", {{"x", "y"}}, {.count = 2}, "yyxx"},
        {"xxxx", {{"x", "y"}}, {.count = 0}, "xxxx"},
        {"xxxx", {{"x", "y"}}, {.count = -1}, "yyyy"},
        {"xxxx", {{"x", "y"}}, {.from = 3}, "xxyy"},
        {"xxxx", {{"x", "y"}}, {.from = 5}, "xxxx"},
        {"xxxx", {{"x", "y"}}, {.from = 0}, "yyyy"},
        {"xxxx", {{"x", "y"}}, {.from = -2}, "yyyy"},
        {"abc", {{"b"}}, {}, "ac"},
        {"abc", {{"a", "b"}, {"b", "c"}}, {}, "ccc"},
        {"aaaa", {{"aa", "a"}}, {}, "aa"},
        // Replacements are not searched again by the same pair.
        {"ab", {{"a", "aa"}}, {}, "aab"},
        {"abc", {{"", "x"}, {"c", "d"}}, {}, "abd"},
        {"", {{"a", "b"}}, {}, ""},
        {"abc", {}, {}, "abc"},
        {"a1a2a3", {{"a", ""}}, {.count = 2, .from = 2}, "a123"},
        // Every pair uses the same count and start position.
        {"aabb", {{"a", "x"}, {"b", "y"}}, {.count = 1, .from = 2}, "axyb"},
        // Two-byte characters are stepped over whole.
        {"圿]]", {{"]", "-"}}, {}, "圿--"},
        {"稟a", {{"A", "b"}}, {}, "稟b"},
        {"中中", {{"\xD0\xD6", "x"}}, {}, "中中"},
        {"中文中文", {{"文", "字"}}, {.count = 1}, "中字中文"},
        {"x\xD6", {{"x", "y"}}, {}, "y\xD6"},
        {"\xD6x", {{"x", "y"}}, {}, "\xD6x"},
    };
    for (const ReplaceRow& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ReplaceMany(row.text, row.pairs, row.options), row.expected);
    }
}

TEST(Trim, AsciiAndFullWidthSpacesAtBothEnds) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"  a b  ", "a b"},
        {"　a　b　", "a　b"},
        {" 　 ", ""},
        {"", ""},
        {"\ta\r\n", "\ta\r\n"},
        {"啊　", "啊"},
        // The A1 A1 here is the second byte of 啊 and a byte cut short.
        {"\xB0\xA1\xA1", "\xB0\xA1\xA1"},
        {"\xA1\xA1\xA1", "\xA1"},
        {"a \xD6", "a \xD6"},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Trim(text), expected);
    }
}

TEST(RemoveSpaces, RemovesEverySpaceCharacter) {
    EXPECT_EQ(RemoveSpaces(" a = x y ;　b=1　"), "a=xy;b=1");
    EXPECT_EQ(RemoveSpaces("\x81 \xB0\xA1\xA1"), "\x81 \xB0\xA1\xA1");
}

TEST(Split, KeepsInnerEmptyPiecesButNoneAtTheEnd) {
    using Pieces = std::vector<std::string_view>;
    const std::vector<std::pair<std::pair<std::string, std::string>, Pieces>> rows = {
        {{"a;b", ";"}, {"a", "b"}},
        {{"a;;b", ";"}, {"a", "", "b"}},
        {{";a", ";"}, {"", "a"}},
        {{"a;", ";"}, {"a"}},
        {{";", ";"}, {""}},
        {{"", ";"}, {}},
        {{"a", ""}, {"a"}},
        {{"a\r\n\r\nb\r\n", "\r\n"}, {"a", "", "b"}},
        {{"a.圿.b", "]"}, {"a.圿.b"}},
        {{"中;文", ";"}, {"中", "文"}},
    };
    for (const auto& [input, expected] : rows) {
        SCOPED_TRACE(input.first + " at " + input.second);
        EXPECT_EQ(Split(input.first, input.second), expected);
    }
}

TEST(CaseFolding, TouchesSingleByteLettersOnly) {
    EXPECT_EQ(ToLowerAscii("HTTP://Example.COM/中Z"), "http://example.com/中z");
    EXPECT_EQ(ToLowerAscii("稟A丄"), "稟a丄");
    EXPECT_EQ(ToLowerAscii("A\xB7"), "a\xB7");
    EXPECT_TRUE(EqualsIgnoreCase("Shift_JIS", "shift_jis"));
    EXPECT_FALSE(EqualsIgnoreCase("丄", "乤"));
    EXPECT_FALSE(EqualsIgnoreCase("utf-8", "utf-"));
}

TEST(FoldFullWidth, FullWidthFormsBecomeAscii) {
    EXPECT_EQ(FoldFullWidth("１２．５"), "12.5");
    EXPECT_EQ(FoldFullWidth("－８０８０"), "-8080");
    EXPECT_EQ(FoldFullWidth("　～☆★ＡＺ"), " ~**AZ");
    EXPECT_EQ(FoldFullWidth("中1"), "中1");
    EXPECT_EQ(FoldFullWidth("1\xA3"), "1");
}

} // namespace
} // namespace tandrel
