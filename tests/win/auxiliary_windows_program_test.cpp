// The small windows of the real program, reached through their buttons.
#include "program_fixture.h"

#include "shell/tool_kit.h"
#include "shell/wide.h"
#include "windows/jpeg_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tandrel::testing {
namespace {

constexpr WindowId kMain = WindowId::Main;

class AuxiliaryWindows : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(program_.Started()); }

    // Clicks a button and waits for the window it opens.
    HWND Open(HWND from, WindowId fromId, std::string_view button, std::string_view caption) {
        EXPECT_TRUE(RunningProgram::Click(from, fromId, button));
        HWND window = program_.WaitForWindow(caption);
        EXPECT_NE(window, nullptr) << caption;
        program_.Settle();
        return window;
    }

    void CloseWithEsc(HWND window) {
        RunningProgram::PressKey(window, VK_ESCAPE);
        EXPECT_TRUE(program_.WaitUntilGone(window));
    }

    bool MainEnabled() const { return IsWindowEnabled(program_.MainWindow()) != FALSE; }

    int CountWindows(std::string_view caption) const {
        int count = 0;
        for (HWND hwnd : program_.VisibleWindows()) {
            count += WindowTextOf(hwnd) == caption ? 1 : 0;
        }
        return count;
    }

    void WriteToolFile(std::string_view relative, const std::string& bytes) const {
        const std::wstring path = program_.ToolRoot() + L"\\" + Widen(relative);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }

    void RemoveToolFile(std::string_view relative) const {
        DeleteFileW((program_.ToolRoot() + L"\\" + Widen(relative)).c_str());
    }

    RunningProgram program_{WithStubs()};
};

TEST_F(AuxiliaryWindows, ByteConverterConvertsTypedGigabytes) {
    struct Row {
        std::wstring typed;
        std::string shown;
    };
    const std::vector<Row> rows = {
        {L"1", "1073741824"},
        {L"2.33", "2501818368"},
        {L"0.1", "107374184"},
        {L"\xFF11\xFF0E\xFF15", "1610612736"}, // full-width 1.5
        {L" 16GB", "17179869184"},
        {L"-2", "-2147483648"},
        {L"abc", "0"},
        {L"8589934592", "9223372036854775808"}, // past the 64-bit range: still the true size
        {L"1e39", "超出范围"},                  // past the float range
    };
    HWND converter = Open(program_.MainWindow(), kMain, "按钮18", "字节转换");
    ASSERT_NE(converter, nullptr);
    EXPECT_FALSE(MainEnabled());
    HWND input = RunningProgram::Control(converter, WindowId::ByteConverter, "编辑框1");
    HWND result = RunningProgram::Control(converter, WindowId::ByteConverter, "编辑框2");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shown);
        SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        RunningProgram::Type(input, row.typed);
        RunningProgram::Click(converter, WindowId::ByteConverter, "按钮1");
        EXPECT_TRUE(WaitFor([&] { return WindowTextOf(result) == row.shown; }))
            << WindowTextOf(result);
    }

    // Enter does nothing: there is no default button.
    SendMessageW(result, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    RunningProgram::PressKey(input, VK_RETURN);
    program_.Settle();
    EXPECT_EQ(WindowTextOf(result), "");

    CloseWithEsc(converter);
    EXPECT_TRUE(MainEnabled());
    converter = Open(program_.MainWindow(), kMain, "按钮18", "字节转换");
    EXPECT_EQ(WindowTextOf(RunningProgram::Control(converter, WindowId::ByteConverter, "编辑框1")),
              "");
    EXPECT_EQ(WindowTextOf(RunningProgram::Control(converter, WindowId::ByteConverter, "编辑框2")),
              "");
}

TEST_F(AuxiliaryWindows, ViewersShowTheirFilesByteForByte) {
    struct Row {
        std::string description;
        bool present;
        std::string bytes;
        std::string shown; // GBK bytes as the box shows them
    };
    const std::string gbk = "第一行\r\n第二行";
    const std::vector<Row> rows = {
        {"GBK with CR LF", true, gbk, gbk},
        {"missing", false, "", ""},
        {"empty", true, "", ""},
        {"UTF-16: up to the first zero byte", true,
         std::string("\xFF\xFE"
                     "A\0B\0",
                     6),
         "\xFF\xFE"
         "A"},
        {"UTF-8 with BOM: its bytes as GBK", true, "\xEF\xBB\xBF\xE4\xB8\xAD",
         "\xEF\xBB\xBF\xE4\xB8\xAD"},
        {"bare LF: not a line break", true, "a\nb", "a\nb"},
    };
    struct Viewer {
        std::string_view button;
        WindowId id;
        std::string_view caption;
        std::string_view box;
        std::string_view file;
    };
    const std::vector<Viewer> viewers = {
        {"按钮12", WindowId::UpdateLog, "更新日志", "编辑框1", toolkit::kCurrentChangeLog},
        {"按钮12", WindowId::UpdateLog, "更新日志", "编辑框2", toolkit::kHistoryChangeLog},
        {"按钮10", WindowId::BootImg, "boot.img", "编辑框1", toolkit::kBootImgCommands},
    };
    for (const Viewer& viewer : viewers) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(viewer.file) + ": " + row.description);
            if (row.present) {
                WriteToolFile(viewer.file, row.bytes);
            } else {
                RemoveToolFile(viewer.file);
            }
            HWND window = Open(program_.MainWindow(), kMain, viewer.button, viewer.caption);
            ASSERT_NE(window, nullptr);
            HWND box = RunningProgram::Control(window, viewer.id, viewer.box);
            EXPECT_EQ(WideTextOf(box), Widen(row.shown));
            CloseWithEsc(window);
        }
    }
}

TEST_F(AuxiliaryWindows, ViewerBoxStaysEmptyForFilesItCannotShow) {
    const std::wstring path = program_.ToolRoot() + L"\\" + Widen(toolkit::kBootImgCommands);
    const auto boxText = [&] {
        HWND window = Open(program_.MainWindow(), kMain, "按钮10", "boot.img");
        const std::string text =
            WindowTextOf(RunningProgram::Control(window, WindowId::BootImg, "编辑框1"));
        CloseWithEsc(window);
        return text;
    };

    // Locked for writing by another program.
    WriteToolFile(toolkit::kBootImgCommands, "locked");
    HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(boxText(), "");
    CloseHandle(writer);
    EXPECT_EQ(boxText(), "locked");

    // Far too large to be a help text: a text at the start of a sparse 300 MB file.
    HANDLE large = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(large, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(large, "header", 6, &written, nullptr);
    LARGE_INTEGER size{};
    size.QuadPart = 300LL * 1024 * 1024;
    SetFilePointerEx(large, size, nullptr, FILE_BEGIN);
    SetEndOfFile(large);
    CloseHandle(large);
    EXPECT_EQ(boxText(), "");

    // A folder where the file should be.
    RemoveToolFile(toolkit::kBootImgCommands);
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    EXPECT_EQ(boxText(), "");
    RemoveDirectoryW(path.c_str());
}

TEST_F(AuxiliaryWindows, UpdateLogShowsOneLogWhenTheOtherIsMissing) {
    RemoveToolFile(toolkit::kHistoryChangeLog);
    WriteToolFile(toolkit::kCurrentChangeLog, "当前\r\n版本");
    HWND window = Open(program_.MainWindow(), kMain, "按钮12", "更新日志");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowTextOf(RunningProgram::Control(window, WindowId::UpdateLog, "编辑框1")),
              "当前\r\n版本");
    EXPECT_EQ(WindowTextOf(RunningProgram::Control(window, WindowId::UpdateLog, "编辑框2")), "");
    // "确认" and the close box do the same.
    RunningProgram::Click(window, WindowId::UpdateLog, "按钮1");
    EXPECT_TRUE(program_.WaitUntilGone(window));
    EXPECT_TRUE(WaitFor([&] { return MainEnabled(); }));
    window = Open(program_.MainWindow(), kMain, "按钮12", "更新日志");
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program_.WaitUntilGone(window));
    EXPECT_TRUE(WaitFor([&] { return MainEnabled(); }));
}

TEST_F(AuxiliaryWindows, ViewerAndApkButtonsStartExactlyTheirCommandLines) {
    struct Row {
        WindowId id;
        std::string_view button;
        std::string expected;
    };
    HWND tools = Open(program_.MainWindow(), kMain, "按钮16", "反编译");
    HWND command = Open(tools, WindowId::ApkTools, "按钮5", "反编译APK");
    const std::vector<Row> apkRows = {
        {WindowId::ApkTools, "按钮1", "explorer.exe g-apktool"},
        {WindowId::ApkTools, "按钮2", "bin\\tools\\apktool_d_apk.exe"},
        {WindowId::ApkTools, "按钮3", "bin\\tools\\apktool_b_apk.exe"},
        {WindowId::ApkTools, "按钮4", "bin\\tools\\apktool_if_apk.exe"},
        {WindowId::ApkCommand, "按钮1", "bin\\tools\\apktool.exe"},
    };
    for (const Row& row : apkRows) {
        SCOPED_TRACE(row.expected);
        program_.ClearLaunches();
        RunningProgram::Click(row.id == WindowId::ApkTools ? tools : command, row.id, row.button);
        EXPECT_EQ(program_.WaitForLaunches(1), std::vector<std::string>{row.expected});
    }
    CloseWithEsc(command);
    CloseWithEsc(tools);

    HWND boot = Open(program_.MainWindow(), kMain, "按钮10", "boot.img");
    const std::vector<Row> bootRows = {
        {WindowId::BootImg, "按钮1", "bin\\tools\\boot.exe"},
        {WindowId::BootImg, "按钮2", "explorer.exe boot_files"},
    };
    for (const Row& row : bootRows) {
        SCOPED_TRACE(row.expected);
        program_.ClearLaunches();
        RunningProgram::Click(boot, row.id, row.button);
        EXPECT_EQ(program_.WaitForLaunches(1), std::vector<std::string>{row.expected});
    }
}

TEST_F(AuxiliaryWindows, ApkWindowsKeepTheMainWindowDisabledWhileEitherIsOpen) {
    // Closing the inner window first.
    HWND tools = Open(program_.MainWindow(), kMain, "按钮16", "反编译");
    EXPECT_FALSE(MainEnabled());
    HWND command = Open(tools, WindowId::ApkTools, "按钮5", "反编译APK");
    EXPECT_FALSE(MainEnabled());
    EXPECT_TRUE(IsWindowEnabled(tools));
    RunningProgram::Click(tools, WindowId::ApkTools, "按钮5"); // only brings it forward
    program_.Settle();
    EXPECT_EQ(CountWindows("反编译APK"), 1);
    CloseWithEsc(command);
    EXPECT_FALSE(MainEnabled());
    CloseWithEsc(tools);
    EXPECT_TRUE(WaitFor([&] { return MainEnabled(); }));

    // Closing the outer window first.
    tools = Open(program_.MainWindow(), kMain, "按钮16", "反编译");
    command = Open(tools, WindowId::ApkTools, "按钮5", "反编译APK");
    PostMessageW(tools, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program_.WaitUntilGone(tools));
    EXPECT_FALSE(MainEnabled());
    CloseWithEsc(command);
    EXPECT_TRUE(WaitFor([&] { return MainEnabled(); }));

    // And usable again afterwards.
    program_.ClearLaunches();
    RunningProgram::Click(program_.MainWindow(), kMain, "按钮1");
    EXPECT_EQ(program_.WaitForLaunches(1), std::vector<std::string>{"explorer.exe system_files"});
}

std::vector<std::uint8_t> ReadSourceFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// How far a shown colour lies outside the colours of the picture around a
// point: stretching shifts and blends edges, so anything between the
// neighbours' colours counts as shown.
int DistanceNear(const DecodedPicture& picture, int px, int py, COLORREF shown) {
    const int channels[3] = {GetBValue(shown), GetGValue(shown), GetRValue(shown)};
    int distance = 0;
    for (int c = 0; c < 3; ++c) {
        int low = 255;
        int high = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int x = std::clamp(px + dx, 0, picture.width - 1);
                const int y = std::clamp(py + dy, 0, picture.height - 1);
                const int value =
                    picture.bgra[(static_cast<std::size_t>(y) * picture.width + x) * 4 + c];
                low = std::min(low, value);
                high = std::max(high, value);
            }
        }
        distance += std::max({0, low - channels[c], channels[c] - high});
    }
    return distance;
}

// Compares points all over the picture box on screen with the picture
// stretched to the box.
void ExpectPictureShown(HWND box, const char* jpegPath) {
    const std::optional<DecodedPicture> picture = DecodeJpeg(ReadSourceFile(jpegPath));
    ASSERT_TRUE(picture.has_value()) << jpegPath;
    RECT client;
    GetClientRect(box, &client);
    POINT origin{0, 0};
    ClientToScreen(box, &origin);
    HDC screen = GetDC(nullptr); // what is on screen, as the user sees it
    int checked = 0;
    for (int y = 12; y < client.bottom; y += 37) {
        for (int x = 10; x < client.right; x += 41) {
            const COLORREF shown = GetPixel(screen, origin.x + x, origin.y + y);
            EXPECT_LT(DistanceNear(*picture, x * picture->width / client.right,
                                   y * picture->height / client.bottom, shown),
                      40)
                << "at " << x << "," << y << " in " << jpegPath;
            ++checked;
        }
    }
    ReleaseDC(nullptr, screen);
    EXPECT_GT(checked, 20);
}

TEST_F(AuxiliaryWindows, DonationChainShowsOneWindowAtATime) {
    HWND wechat = Open(program_.MainWindow(), kMain, "按钮19", "微信捐赠");
    ASSERT_NE(wechat, nullptr);
    ExpectPictureShown(RunningProgram::Control(wechat, WindowId::WeChatDonation, "图片框1"),
                       TANDREL_SOURCE_DIR "/src/resources/wechat_code.jpg");
    RunningProgram::Click(wechat, WindowId::WeChatDonation, "按钮1");
    HWND alipay = program_.WaitForWindow("支付宝捐赠");
    ASSERT_NE(alipay, nullptr);
    EXPECT_TRUE(program_.WaitUntilGone(wechat));
    EXPECT_EQ(program_.VisibleWindows().size(), 2u) << "the main window and the Alipay window";
    EXPECT_FALSE(MainEnabled());
    program_.Settle();
    ExpectPictureShown(RunningProgram::Control(alipay, WindowId::AlipayDonation, "图片框1"),
                       TANDREL_SOURCE_DIR "/src/resources/alipay_code.jpg");
    RunningProgram::Click(alipay, WindowId::AlipayDonation, "按钮1");
    EXPECT_TRUE(program_.WaitUntilGone(alipay));
    EXPECT_TRUE(WaitFor([&] { return MainEnabled(); }));
}

TEST_F(AuxiliaryWindows, DonationWindowsCloseWithTheCloseBoxOrEsc) {
    struct Row {
        std::string description;
        bool closeBox; // else Esc
    };
    for (const Row& row : {Row{"close box", true}, Row{"Esc", false}}) {
        SCOPED_TRACE(row.description);
        HWND wechat = Open(program_.MainWindow(), kMain, "按钮19", "微信捐赠");
        RunningProgram::Click(wechat, WindowId::WeChatDonation, "按钮1");
        HWND alipay = program_.WaitForWindow("支付宝捐赠");
        ASSERT_NE(alipay, nullptr);
        EXPECT_TRUE(program_.WaitUntilGone(wechat));
        if (row.closeBox) {
            PostMessageW(alipay, WM_SYSCOMMAND, SC_CLOSE, 0);
            EXPECT_TRUE(program_.WaitUntilGone(alipay));
        } else {
            CloseWithEsc(alipay);
        }
        EXPECT_TRUE(WaitFor([&] { return MainEnabled(); }));
    }
    // The first window closed on its own ends the chain.
    HWND wechat = Open(program_.MainWindow(), kMain, "按钮19", "微信捐赠");
    CloseWithEsc(wechat);
    program_.Settle();
    EXPECT_EQ(CountWindows("支付宝捐赠"), 0);
    EXPECT_TRUE(MainEnabled());
}

} // namespace
} // namespace tandrel::testing
