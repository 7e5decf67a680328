// Usage: take_screenshots TOOL_ROOT FOLDER
// Starts TOOL_ROOT\tandrel.exe, saves a picture of each of its windows in
// FOLDER as BMP files and ends the program.
#include "program_driver.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

using tandrel::WindowId;
using tandrel::driver::CaptureWindow;
using tandrel::driver::RunningProgram;

// How to reach one window: the button that opens it from the window before.
struct Shot {
    const wchar_t* file;
    WindowId from;
    std::string_view button;
    WindowId window;
    std::string_view caption;
};

// clang-format off
constexpr Shot kShots[] = {
    {L"byte_converter", WindowId::Main, "按钮18", WindowId::ByteConverter, "字节转换"},
    {L"update_log", WindowId::Main, "按钮12", WindowId::UpdateLog, "更新日志"},
    {L"boot_img", WindowId::Main, "按钮10", WindowId::BootImg, "boot.img"},
    {L"apk_tools", WindowId::Main, "按钮16", WindowId::ApkTools, "反编译"},
    {L"apk_command", WindowId::ApkTools, "按钮5", WindowId::ApkCommand, "反编译APK"},
    {L"update_check", WindowId::Main, "按钮9", WindowId::UpdateCheck, "检查更新"},
    {L"wechat_donation", WindowId::Main, "按钮19", WindowId::WeChatDonation, "微信捐赠"},
    {L"alipay_donation", WindowId::WeChatDonation, "按钮1", WindowId::AlipayDonation, "支付宝捐赠"},
};
// clang-format on

// Captures every window in turn; a window stays open while the next one is
// opened from it, and all are closed with Esc at the end of their chain.
bool CaptureAll(RunningProgram& program, const std::wstring& folder) {
    bool ok = CaptureWindow(program.MainWindow(), folder + L"\\main.bmp");
    HWND windows[tandrel::kWindowCount] = {};
    windows[static_cast<int>(WindowId::Main)] = program.MainWindow();
    for (const Shot& shot : kShots) {
        RunningProgram::Click(windows[static_cast<int>(shot.from)], shot.from, shot.button);
        HWND window = program.WaitForWindow(shot.caption);
        if (window == nullptr) {
            std::fprintf(stderr, "take_screenshots: no window %ls\n", shot.file);
            ok = false;
            continue;
        }
        windows[static_cast<int>(shot.window)] = window;
        program.Settle();
        ok = CaptureWindow(window, folder + L"\\" + shot.file + L".bmp") && ok;
        const bool opensNext = &shot != std::end(kShots) - 1 && (&shot + 1)->from == shot.window;
        if (!opensNext) {
            RunningProgram::PressKey(window, VK_ESCAPE);
            program.WaitUntilGone(window);
        }
    }
    for (HWND window : program.VisibleWindows()) {
        if (window != program.MainWindow()) {
            RunningProgram::PressKey(window, VK_ESCAPE);
            program.WaitUntilGone(window);
        }
    }
    return ok;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: take_screenshots TOOL_ROOT FOLDER\n", stderr);
        return 2;
    }
    RunningProgram program({{}, {}, true, argv[1]});
    if (!program.Started()) {
        std::fputs("take_screenshots: the program did not start\n", stderr);
        return 1;
    }
    const bool saved = CaptureAll(program, argv[2]);
    RunningProgram::PressKey(program.MainWindow(), VK_ESCAPE);
    DWORD exitCode = 0;
    program.WaitForExit(10000, exitCode);
    return saved ? 0 : 1;
}
