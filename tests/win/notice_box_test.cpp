// Window enumeration, the owner lookup and the notice box, in this process.
#include "shell/wide.h"
#include "update/notice_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace tandrel {
namespace {

HWND MakeWindow(bool visible, const wchar_t* title) {
    HWND hwnd = CreateWindowExW(0, L"STATIC", title, WS_POPUP | (visible ? WS_VISIBLE : 0), 10, 10,
                                50, 50, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(hwnd, nullptr);
    return hwnd;
}

std::vector<HWND> Handles(const std::vector<WindowRecord>& records) {
    std::vector<HWND> handles;
    for (const WindowRecord& record : records) {
        handles.push_back(record.window);
    }
    return handles;
}

TEST(NoticeBox, EnumerationRecordsEachWindowOnce) {
    HWND window = MakeWindow(true, L"记录 test window");
    const std::vector<WindowRecord> records = EnumerateWindows();
    const std::vector<HWND> handles = Handles(records);
    EXPECT_EQ(std::set<HWND>(handles.begin(), handles.end()).size(), handles.size());
    const auto mine = std::find_if(records.begin(), records.end(),
                                   [&](const WindowRecord& r) { return r.window == window; });
    ASSERT_NE(mine, records.end());
    EXPECT_EQ(mine->processId, GetCurrentProcessId());
    EXPECT_EQ(mine->threadId, GetCurrentThreadId());
    EXPECT_EQ(mine->title, "记录 test window");
    EXPECT_EQ(mine->className, "Static");
    DestroyWindow(window);
}

DWORD WINAPI EnumerateMany(void* result) {
    auto* sizes = static_cast<std::vector<std::size_t>*>(result);
    for (int round = 0; round < 40; ++round) {
        sizes->push_back(EnumerateWindows().size());
    }
    return 0;
}

TEST(NoticeBox, ConcurrentLookupsEachSeeTheirOwnEnumeration) {
    std::vector<HWND> windows;
    for (int i = 0; i < 20; ++i) {
        windows.push_back(MakeWindow(false, L"hidden"));
    }
    const std::size_t expected = EnumerateWindows().size();
    std::vector<std::size_t> first;
    std::vector<std::size_t> second;
    HANDLE threads[2] = {CreateThread(nullptr, 0, EnumerateMany, &first, 0, nullptr),
                         CreateThread(nullptr, 0, EnumerateMany, &second, 0, nullptr)};
    // The windows' titles are asked of this thread, so it keeps answering.
    const ULONGLONG end = GetTickCount64() + 60000;
    while (WaitForMultipleObjects(2, threads, TRUE, 0) == WAIT_TIMEOUT && GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
    CloseHandle(threads[0]);
    CloseHandle(threads[1]);
    for (const auto* sizes : {&first, &second}) {
        ASSERT_EQ(sizes->size(), 40u);
        for (std::size_t size : *sizes) {
            EXPECT_EQ(size, expected);
        }
    }
    for (HWND hwnd : windows) {
        DestroyWindow(hwnd);
    }
}

TEST(NoticeBox, OwnerIsTheFirstVisibleWindowOfTheProcess) {
    HWND hidden = MakeWindow(false, L"hidden first");
    HWND visible = MakeWindow(true, L"visible");
    SetWindowPos(hidden, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(FindProcessWindow(GetCurrentProcessId()), visible);
    ShowWindow(visible, SW_HIDE);
    EXPECT_EQ(FindProcessWindow(GetCurrentProcessId()), nullptr);
    EXPECT_EQ(FindProcessWindow(0xFFFFFFF0u), nullptr);
    DestroyWindow(hidden);
    DestroyWindow(visible);
}

struct Answer {
    int command;  // what the box is answered with
    bool sawIcon; // whether the box showed an icon
    std::string title;
};

// Answers the first message box of this process once it appears.
DWORD WINAPI AnswerBox(void* parameter) {
    auto* answer = static_cast<Answer*>(parameter);
    for (int tries = 0; tries < 500; ++tries) {
        HWND box = FindWindowW(L"#32770", nullptr);
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        if (box != nullptr && process == GetCurrentProcessId() && IsWindowVisible(box)) {
            wchar_t title[64] = {};
            GetWindowTextW(box, title, 64);
            answer->title = Narrow(title);
            for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                answer->sawIcon = answer->sawIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
            }
            PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer->command), 0);
            return 0;
        }
        Sleep(20);
    }
    return 1;
}

int ShowAnswered(std::string_view text, const NoticeOptions& options, Answer& answer) {
    HANDLE answering = CreateThread(nullptr, 0, AnswerBox, &answer, 0, nullptr);
    const int result = NoticeBox(text, options);
    WaitForSingleObject(answering, 15000);
    CloseHandle(answering);
    return result;
}

TEST(NoticeBox, DefaultsAndResults) {
    Answer ok{IDOK, false, {}};
    EXPECT_EQ(ShowAnswered("检测更新失败。", {}, ok), 0);
    EXPECT_EQ(ok.title, "友情提醒");
    EXPECT_TRUE(ok.sawIcon);

    Answer noIcon{IDOK, false, {}};
    EXPECT_EQ(ShowAnswered("text", {.style = 0u, .title = "标题", .owner = nullptr}, noIcon), 0);
    EXPECT_EQ(noIcon.title, "标题");
    EXPECT_FALSE(noIcon.sawIcon);

    Answer no{IDNO, false, {}};
    EXPECT_EQ(
        ShowAnswered("yes or no", {.style = MB_YESNO, .title = std::nullopt, .owner = nullptr}, no),
        6);
    Answer cancel{IDCANCEL, false, {}};
    EXPECT_EQ(ShowAnswered("ok or cancel",
                           {.style = MB_OKCANCEL, .title = std::nullopt, .owner = nullptr}, cancel),
              1);
}

} // namespace
} // namespace tandrel
