#include "update/cookies.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace tandrel {
namespace {

struct MergeRow {
    std::string cookies;
    std::string newCookies;
    std::string merged;
    std::string newAfter;
};

TEST(MergeCookies, WorkedExamplesAndEdgeCases) {
    const std::vector<MergeRow> rows = {
        {"sid=1; theme=dark", "sid=2; lang=en", "sid=2; lang=en; theme=dark", "sid=2;lang=en"},
        {"sid=1; theme=dark", "sid=deleted", "theme=dark", "sid=deleted"},
        {"a=1", "a=deleted", "", "a=deleted"},
        {"", "a=1; b=2", "a=1; b=2", "a=1;b=2"},
        {"a = 1 ; b=2", "", "a=1; b=2", ""},
        {"a=1; a=2", "c=3", "c=3; a=1", "c=3"},
        {"a=1; a=1; b=2", "", "a=1; b=2", ""},
        {"k=red; m=2", "k=blue; k=green", "k=blue; k=green; m=2", "k=blue;k=green"},
        {"Sid=1", "sid=2", "sid=2; Sid=1", "sid=2"},
        {"flag", "flag=1", "flag=1", "flag=1"},
        {"a=1;", "b=2;", "b=2; a=1", "b=2;"},
        {"a=1;;b=2", "", "a=1; ; b=2", ""},
        {"", "", "", ""},
        {"x=deleted; y=1", "", "y=1", ""},
        {"s=DELETED; u=undeleted; v==deleted", "", "s=DELETED; u=undeleted", ""},
        {"a=x y", "", "a=xy", ""},
        {"k=1; k=1", "k=1;k=1", "k=1", "k=1;k=1"},
        {";;a=1", "", "; a=1", ""},
        // Full-width spaces go too; two-byte characters stay whole.
        {"名　=　值; b=2", "名=新", "名=新; b=2", "名=新"},
        {"x=稟A", "", "x=稟A", ""},
    };
    for (const MergeRow& row : rows) {
        SCOPED_TRACE(row.cookies + " + " + row.newCookies);
        std::string cookies = row.cookies;
        std::string newCookies = row.newCookies;
        const std::string result = MergeCookies(cookies, newCookies);
        EXPECT_EQ(cookies, row.merged);
        EXPECT_EQ(result, row.merged);
        EXPECT_EQ(newCookies, row.newAfter);
    }
}

TEST(CookieName, TextBeforeTheFirstEqualsTrimmed) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"sid=1", "sid"}, {" sid = 1=2", "sid"}, {"flag", "flag"}, {"　flag　", "flag"}, {"=1", ""},
        {"", ""},         {"名=值", "名"},       {"a b=c", "a b"},
    };
    for (const auto& [entry, name] : rows) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(CookieName(entry), name);
    }
}

TEST(CookieLists, NamesAndEntriesCompareByteForByte) {
    const std::vector<std::string_view> list = {"a=1", "Sid=2", "", "a=1", "flag"};
    EXPECT_TRUE(HasCookieName(list, "a"));
    EXPECT_TRUE(HasCookieName(list, "flag"));
    EXPECT_TRUE(HasCookieName(list, ""));
    EXPECT_FALSE(HasCookieName(list, "sid"));
    EXPECT_FALSE(HasCookieName({}, ""));

    EXPECT_EQ(FindEntry(list, "a=1"), 1);
    EXPECT_EQ(FindEntry(list, ""), 3);
    EXPECT_EQ(FindEntry(list, "flag"), 5);
    EXPECT_EQ(FindEntry(list, "a=2"), -1);
    EXPECT_EQ(FindEntry({}, ""), -1);
}

TEST(JoinDistinct, KeepsFirstAppearances) {
    struct Row {
        std::string text;
        std::string separator;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"a; b; a; c; b", "; ", "a; b; c"},
        {"a; ; b; ", "; ", "a; ; b"},
        {"a;;;b", ";", "a;;b"},
        {"a|b|a|", "|", "a|b"},
        {"", "; ", ""},
        {"x", "; ", "x"},
        {"中,文,中", ",", "中,文"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(JoinDistinct(row.text, row.separator), row.expected);
    }
}

} // namespace
} // namespace tandrel
