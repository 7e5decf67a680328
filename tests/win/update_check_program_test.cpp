// The whole road of one update check, through the real program built to read
// its announcement from a server on 127.0.0.1 that the test scripts.
#include "http_test_server.h"
#include "program_fixture.h"

#include "shell/wide.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tandrel::testing {
namespace {

constexpr WindowId kUpdate = WindowId::UpdateCheck;
constexpr const char* kPagePath = "/announcement.html";

std::string ToUtf8(std::string_view gbk) {
    const std::wstring wide = Widen(gbk);
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

std::string Response(const std::string& body,
                     std::string_view contentType = "text/html; charset=gbk") {
    return "HTTP/1.1 200 OK\r\nContent-Type: " + std::string(contentType) +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
           body;
}

std::string AnnouncementPage(std::string_view version,
                             std::string_view address = "https://example.com/tandrel.zip",
                             std::string_view notes = "a|b||c") {
    return "<html><body><p>Tandrel</p>////开始<p>最新版本=" + std::string(version) +
           "</p><p>程序标题=Tandrel 新版本</p><p>更新地址=" + std::string(address) +
           "</p><p>更新内容=" + std::string(notes) + "</p>////结束</body></html>";
}

class UpdateCheck : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(server_->Port(), 0) << "the test server could not listen";
        ASSERT_TRUE(program_.Started());
    }

    HWND OpenUpdateWindow() {
        RunningProgram::Click(program_.MainWindow(), WindowId::Main, "按钮9");
        HWND window = program_.WaitForWindow("检查更新");
        EXPECT_NE(window, nullptr);
        program_.Settle();
        return window;
    }

    HWND NotesBox(HWND window) const { return RunningProgram::Control(window, kUpdate, "编辑框1"); }

    // Starts a check and waits for the box it ends with.
    HWND Check(HWND window) {
        RunningProgram::Click(window, kUpdate, "按钮1");
        return program_.WaitForMessageBox(15000);
    }

    void Dismiss(HWND box) {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(program_.WaitUntilGone(box));
    }

    std::optional<HttpTestServer> server_{std::in_place, TANDREL_TEST_HTTP_PORT};
    RunningProgram program_{ForUpdateTests()};
};

TEST_F(UpdateCheck, WindowShowsTheProgramVersionAndHidesTheNotes) {
    HWND window = OpenUpdateWindow();
    EXPECT_EQ(WindowTextOf(RunningProgram::Control(window, kUpdate, "标签1")), "2.01");
    EXPECT_FALSE(IsWindowVisible(NotesBox(window)));
    EXPECT_FALSE(IsWindowEnabled(program_.MainWindow()));
}

TEST_F(UpdateCheck, NewerVersionShowsNotesMessageAndOpensTheAddress) {
    server_->Respond(kPagePath, Response(AnnouncementPage("2.05")));
    HWND window = OpenUpdateWindow();
    HWND box = Check(window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowTextOf(box), "最新版本");
    EXPECT_EQ(MessageBoxText(box), "已有最新版本：2.05\r\n请更新至最新版本");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(WindowTextOf(window), "Tandrel 新版本");
    EXPECT_TRUE(IsWindowVisible(NotesBox(window)));
    EXPECT_EQ(WindowTextOf(NotesBox(window)), "a\r\nb\r\n\r\nc");
    EXPECT_TRUE(program_.Launches().empty()) << "the address opens only after the message";
    Dismiss(box);
    EXPECT_EQ(program_.WaitForLaunches(1),
              std::vector<std::string>{"explorer.exe https://example.com/tandrel.zip"});

    // The request was a plain GET with the program's default header lines.
    const std::vector<std::string> requests = server_->Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests[0].rfind("GET /announcement.html HTTP/1.1\r\n", 0), 0u) << requests[0];
    EXPECT_NE(requests[0].find("Accept-Language: zh-cn"), std::string::npos);

    // A new opening starts again from the description.
    RunningProgram::PressKey(window, VK_ESCAPE);
    ASSERT_TRUE(program_.WaitUntilGone(window));
    window = OpenUpdateWindow();
    EXPECT_FALSE(IsWindowVisible(NotesBox(window)));
    EXPECT_EQ(WindowTextOf(NotesBox(window)), "\r\n更新内容：\r\n暂无");
    EXPECT_EQ(WindowTextOf(window), "检查更新");
}

TEST_F(UpdateCheck, PublishedVersionsAgainstTheProgramVersion) {
    struct Row {
        std::string published;
        bool newer;
    };
    const std::vector<Row> rows = {
        {"2.01", false},   {"2.0100001", true}, {"２．０５", true},
        {"2.05abc", true}, {"2", false},        {"", false},
    };
    HWND window = OpenUpdateWindow();
    bool notesShown = false; // an up-to-date answer leaves the notes box as it was
    for (const Row& row : rows) {
        SCOPED_TRACE(row.published);
        server_->Respond(kPagePath, Response(AnnouncementPage(row.published)));
        HWND box = Check(window);
        ASSERT_NE(box, nullptr);
        if (row.newer) {
            EXPECT_EQ(MessageBoxText(box),
                      "已有最新版本：" + row.published + "\r\n请更新至最新版本");
        } else {
            EXPECT_EQ(WindowTextOf(box), "信息：");
            EXPECT_EQ(MessageBoxText(box), "当前版本已是最新");
        }
        notesShown = notesShown || row.newer;
        EXPECT_EQ(IsWindowVisible(NotesBox(window)) != FALSE, notesShown);
        EXPECT_EQ(WindowTextOf(window), "Tandrel 新版本");
        Dismiss(box);
    }
}

TEST_F(UpdateCheck, FailuresShowTheNoticeOwnedByTheUpdateWindow) {
    const std::vector<std::string> pages = {
        "<html>no announcement here</html>",
        "////结束 before ////开始最新版本=9<",
        "////开始////结束",
    };
    HWND window = OpenUpdateWindow();
    for (const std::string& page : pages) {
        SCOPED_TRACE(page);
        server_->Respond(kPagePath, Response(page));
        HWND box = Check(window);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(WindowTextOf(box), "友情提醒");
        EXPECT_EQ(MessageBoxText(box), "检测更新失败。");
        EXPECT_EQ(GetWindow(box, GW_OWNER), window);
        bool hasIcon = false;
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            hasIcon = hasIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
        }
        EXPECT_TRUE(hasIcon) << "the information icon";
        EXPECT_EQ(WindowTextOf(window), "检查更新") << "nothing changes";
        Dismiss(box);
    }
}

TEST_F(UpdateCheck, UnreachableServerFails) {
    server_.reset(); // nothing listens on the announcement port now
    HWND window = OpenUpdateWindow();
    HWND box = Check(window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "检测更新失败。");
    Dismiss(box);
}

TEST_F(UpdateCheck, Utf8AndGbkPagesBothRead) {
    struct Row {
        std::string description;
        std::string response;
    };
    const std::string page =
        AnnouncementPage("3.5", "https://example.com/下载/tandrel.zip", "新功能|修复");
    const std::vector<Row> rows = {
        {"GBK", Response(page)},
        {"UTF-8 said in the headers", Response(ToUtf8(page), "text/html; charset=UTF-8")},
        {"UTF-8 said in the page",
         Response("<meta charset=\"utf-8\">" + ToUtf8(page), "text/html")},
    };
    HWND window = OpenUpdateWindow();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.description);
        program_.ClearLaunches();
        server_->Respond(kPagePath, row.response);
        HWND box = Check(window);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), "已有最新版本：3.5\r\n请更新至最新版本");
        EXPECT_EQ(WindowTextOf(NotesBox(window)), "新功能\r\n修复");
        Dismiss(box);
        EXPECT_EQ(program_.WaitForLaunches(1),
                  std::vector<std::string>{"explorer.exe https://example.com/下载/tandrel.zip"});
    }
}

TEST_F(UpdateCheck, UnsafeDownloadAddressIsNotOpened) {
    const std::vector<std::string> addresses = {
        "file:///C:/Windows/System32/calc.exe",
        "https://example.com/a b.exe",
        "C:\\Windows\\System32\\calc.exe",
        "",
    };
    HWND window = OpenUpdateWindow();
    for (const std::string& address : addresses) {
        SCOPED_TRACE(address);
        server_->Respond(kPagePath, Response(AnnouncementPage("9", address)));
        HWND box = Check(window);
        ASSERT_NE(box, nullptr);
        Dismiss(box);
        HWND notice = program_.WaitForMessageBox();
        ASSERT_NE(notice, nullptr);
        EXPECT_EQ(MessageBoxText(notice), "下载地址无效，已取消打开。");
        Dismiss(notice);
        EXPECT_TRUE(program_.Launches().empty());
    }
}

TEST_F(UpdateCheck, SlowAnswerAfterTheWindowClosedTouchesNoWindow) {
    server_->Respond(kPagePath, Response(AnnouncementPage("2.05")), 2000);
    HWND window = OpenUpdateWindow();
    RunningProgram::Click(window, kUpdate, "按钮1");
    Sleep(300);
    RunningProgram::PressKey(window, VK_ESCAPE);
    ASSERT_TRUE(program_.WaitUntilGone(window));
    // The message still follows; no window of the program took the title.
    HWND box = program_.WaitForMessageBox(15000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "已有最新版本：2.05\r\n请更新至最新版本");
    EXPECT_EQ(WindowTextOf(program_.MainWindow()), "当前版本:V2.0.0(正式版)");
    EXPECT_TRUE(IsWindowEnabled(program_.MainWindow()));
    Dismiss(box);
    // A reopened window is a different window: the old check leaves it alone.
    window = OpenUpdateWindow();
    program_.Settle();
    EXPECT_EQ(WindowTextOf(window), "检查更新");
    EXPECT_FALSE(IsWindowVisible(NotesBox(window)));
}

TEST_F(UpdateCheck, ClosingTheProgramDuringACheckEndsIt) {
    server_->Respond(kPagePath, Response(AnnouncementPage("2.05")), 3000);
    HWND window = OpenUpdateWindow();
    RunningProgram::Click(window, kUpdate, "按钮1");
    Sleep(300);
    RunningProgram::PressKey(window, VK_ESCAPE);
    ASSERT_TRUE(program_.WaitUntilGone(window));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(program_.MainWindow()) != FALSE; }));
    RunningProgram::PressKey(program_.MainWindow(), VK_ESCAPE);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program_.WaitForExit(10000, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(UpdateCheck, ManyChecksInARowEachFinish) {
    server_->Respond(kPagePath, Response(AnnouncementPage("2.01")), 300);
    HWND window = OpenUpdateWindow();
    for (int click = 0; click < 4; ++click) {
        RunningProgram::Click(window, kUpdate, "按钮1");
    }
    ASSERT_TRUE(WaitFor([&] { return program_.MessageBoxes().size() == 4; }, 20000));
    for (HWND box : program_.MessageBoxes()) {
        EXPECT_EQ(MessageBoxText(box), "当前版本已是最新");
        Dismiss(box);
    }
    EXPECT_EQ(WindowTextOf(window), "Tandrel 新版本");
    EXPECT_TRUE(IsWindowEnabled(window));
    RunningProgram::PressKey(window, VK_ESCAPE);
    EXPECT_TRUE(program_.WaitUntilGone(window));
}

} // namespace
} // namespace tandrel::testing
