#include "update/announcement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace tandrel {
namespace {

std::string Page(std::string_view block) {
    return "<html><body><p>公告</p>////开始" + std::string(block) + "////结束</body></html>";
}

TEST(Announcement, ReadsTheFourFieldsOfTheBlock) {
    const std::optional<Announcement> a = ParseAnnouncement(
        Page("最新版本=2.05<br>程序标题=Tandrel 新版<br>更新地址=https://example.com/t.zip<br>"
             "更新内容=first line|second line<br>"));
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->version, "2.05");
    EXPECT_EQ(a->title, "Tandrel 新版");
    EXPECT_EQ(a->address, "https://example.com/t.zip");
    EXPECT_EQ(a->notes, "first line|second line");
    EXPECT_EQ(NotesAsLines(a->notes), "first line\r\nsecond line");
}

TEST(Announcement, FieldRules) {
    struct Row {
        std::string block;
        Announcement expected;
    };
    const std::vector<Row> rows = {
        // Any order; the first occurrence of a key wins.
        {"更新内容=x<程序标题=T<最新版本=3<最新版本=4<", {"3", "T", "", "x"}},
        // A key without a "<" after it has an empty value.
        {"最新版本=2.02<程序标题=no end", {"2.02", "", "", ""}},
        // An empty title is a value like any other.
        {"程序标题=<最新版本=1<", {"1", "", "", ""}},
        // A key right after a two-byte character is found.
        {"说最新版本=9<", {"9", "", "", ""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.block);
        const std::optional<Announcement> a = ParseAnnouncement(Page(row.block));
        ASSERT_TRUE(a.has_value());
        EXPECT_EQ(a->version, row.expected.version);
        EXPECT_EQ(a->title, row.expected.title);
        EXPECT_EQ(a->address, row.expected.address);
        EXPECT_EQ(a->notes, row.expected.notes);
    }
}

TEST(Announcement, NoBlock) {
    for (std::string_view page :
         {"", "no markers at all", "////开始最新版本=3<", "最新版本=3<////结束",
          "////结束 before ////开始最新版本=3<", "////开始////结束"}) {
        EXPECT_FALSE(ParseAnnouncement(page).has_value()) << page;
    }
}

TEST(Announcement, NotesBreakOnlyAtStandAloneBars) {
    EXPECT_EQ(NotesAsLines("a|b||c"), "a\r\nb\r\n\r\nc");
    EXPECT_EQ(NotesAsLines("no bar"), "no bar");
    EXPECT_EQ(NotesAsLines(""), "");
    // 0x7C as the second byte of a two-byte character is not a bar.
    EXPECT_EQ(NotesAsLines("\x81|x|"), "\x81|x\r\n");
}

TEST(Announcement, VersionComparison) {
    struct Row {
        std::string published;
        bool newer;
    };
    const std::vector<Row> rows = {
        {"2.01", false},   {"2.0100001", true}, {"2.02", true}, {"3", true},
        {"2.05abc", true}, {"２．０５", true},  {"2", false},   {"0", false},
        {"", false},       {"abc", false},      {"-5", false},  {"1e400", true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsNewerVersion(row.published, 2.01f), row.newer) << row.published;
    }
}

TEST(Announcement, Texts) {
    EXPECT_EQ(VersionText(2.01f), "2.01");
    EXPECT_EQ(VersionText(2.0f), "2");
    EXPECT_EQ(VersionText(0.0f), "0");
    EXPECT_EQ(NewVersionMessage("2.05abc"), "已有最新版本：2.05abc\r\n请更新至最新版本");
}

TEST(Announcement, OnlyPlainWebAddressesAreOpened) {
    struct Row {
        std::string address;
        bool safe;
    };
    const std::vector<Row> rows = {
        {"https://example.com/t.zip", true},        {"HTTP://example.com/下载", true},
        {"hTTpS://example.com/?a=1&b=2", true},     {"", false},
        {"ftp://example.com/t.zip", false},         {"file:///C:/Windows/System32/calc.exe", false},
        {"C:\\Windows\\System32\\calc.exe", false}, {"https://example.com/a b", false},
        {"https://example.com/\"x", false},         {"https://example.com/'x", false},
        {"https://example.com/\r\nx", false},       {"https://example.com/\tx", false},
        {"https://example.com/\x7Fx", false},       {"https://example.com/\xA1\xA1x", false},
        {" https://example.com/", false},           {"http:/example.com", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsSafeDownloadAddress(row.address), row.safe) << row.address;
    }
}

} // namespace
} // namespace tandrel
