// The real program, started in a fresh tool root with stand-in programs.
#include "program_fixture.h"

#include "shell/main_window.h"
#include "shell/tool_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel::testing {
namespace {

constexpr WindowId kMain = WindowId::Main;

std::vector<std::string> CommandLinesOf(const ControlSpec& button) {
    std::vector<std::string> lines;
    for (const Step& step : button.onClick) {
        if (step.operation != Operation::LaunchCommand) {
            return {};
        }
        lines.emplace_back(step.text);
    }
    return lines;
}

TEST(MainWindowProgram, EveryLaunchButtonStartsExactlyItsCommandLines) {
    RunningProgram program(WithStubs());
    ASSERT_TRUE(program.Started());
    int buttons = 0;
    for (const ControlSpec& control : MainWindowSpec().controls) {
        const std::vector<std::string> expected = CommandLinesOf(control);
        if (control.kind != ControlKind::Button || expected.empty()) {
            continue;
        }
        ++buttons;
        SCOPED_TRACE(std::string(control.name));
        program.ClearLaunches();
        RunningProgram::Click(program.MainWindow(), kMain, control.name);
        EXPECT_EQ(program.WaitForLaunches(expected.size()), expected);
    }
    // The other six open a window and one shows the credits; they are tested below.
    EXPECT_EQ(buttons, 20);
}

TEST(MainWindowProgram, JavaCheckReachesTheCommandInterpreterByteForByte) {
    RunningProgram program(WithStubs());
    ASSERT_TRUE(program.Started());
    RunningProgram::Click(program.MainWindow(), kMain, "按钮27");
    const std::vector<std::string> launches = program.WaitForLaunches(1);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0], toolkit::kJavaCheck);
}

TEST(MainWindowProgram, AdbButtonOpensTheFolderFirstThenStartsTheTool) {
    RunningProgram program(WithStubs());
    ASSERT_TRUE(program.Started());
    RunningProgram::Click(program.MainWindow(), kMain, "按钮14");
    const std::vector<std::string> expected = {"explorer.exe bin\\ADB", "bin\\tools\\adb.exe"};
    EXPECT_EQ(program.WaitForLaunches(2), expected);
}

TEST(MainWindowProgram, MissingToolDoesNothingVisibleAndTheWindowStaysUsable) {
    RunningProgram program(WithoutTools());
    ASSERT_TRUE(program.Started());
    const std::vector<HWND> before = program.VisibleWindows();
    for (std::string_view name : {"按钮3", "按钮24", "按钮26", "按钮21", "按钮2"}) {
        RunningProgram::Click(program.MainWindow(), kMain, name);
    }
    program.Settle();
    EXPECT_EQ(program.VisibleWindows(), before);
    EXPECT_TRUE(IsWindowEnabled(program.MainWindow()));
    // Still answering: the credits button shows its box.
    RunningProgram::Click(program.MainWindow(), kMain, "按钮20");
    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(MainWindowProgram, EnterRightAfterStartUpOpensTheBootFilesFolder) {
    RunningProgram program(WithStubs());
    ASSERT_TRUE(program.Started());
    RunningProgram::PressKey(program.MainWindow(), VK_RETURN);
    EXPECT_EQ(program.WaitForLaunches(1), std::vector<std::string>{"explorer.exe boot_files"});
}

TEST(MainWindowProgram, EnterOnAFocusedDefaultButtonRunsThatButton) {
    RunningProgram program(WithStubs());
    ASSERT_TRUE(program.Started());
    struct Row {
        std::string_view focused;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"按钮23", "explorer.exe done"},        // a default button: its own action
        {"按钮1", "explorer.exe system_files"}, // a default button: its own action
        {"按钮3", "explorer.exe boot_files"},   // not a default button: the first default one
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.focused));
        program.ClearLaunches();
        HWND button = RunningProgram::Control(program.MainWindow(), kMain, row.focused);
        // Focus is per thread: borrow the program's input state to move it.
        DWORD thread = GetWindowThreadProcessId(button, nullptr);
        AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
        SetFocus(button);
        AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
        RunningProgram::PressKey(button, VK_RETURN);
        EXPECT_EQ(program.WaitForLaunches(1), std::vector<std::string>{row.expected});
    }
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Holds Shift down in the program's keyboard state while `action` runs.
template <typename Action> void WithShiftHeld(HWND window, Action action) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    action();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
}

TEST(MainWindowProgram, TabAndShiftTabMoveThroughTheTabStopsInControlOrder) {
    RunningProgram program(WithStubs());
    ASSERT_TRUE(program.Started());
    HWND main = program.MainWindow();
    const auto control = [&](std::string_view name) {
        return RunningProgram::Control(main, kMain, name);
    };
    // The first tab stops in control order: 按钮27, 按钮26, 按钮25, 按钮23.
    for (std::string_view name : {"按钮27", "按钮26", "按钮25", "按钮23"}) {
        RunningProgram::PressKey(main, VK_TAB);
        EXPECT_TRUE(WaitFor([&] { return FocusOf(main) == control(name); })) << name;
    }
    WithShiftHeld(main, [&] {
        RunningProgram::PressKey(main, VK_TAB);
        EXPECT_TRUE(WaitFor([&] { return FocusOf(main) == control("按钮25"); }));
    });
    // Labels and group boxes never take the focus: the last tab stop wraps to the first.
    WithShiftHeld(main, [&] {
        for (int press = 0; press < 3; ++press) {
            RunningProgram::PressKey(main, VK_TAB);
        }
        EXPECT_TRUE(WaitFor([&] { return FocusOf(main) == control("按钮1"); }));
    });
}

TEST(MainWindowProgram, TwoCopiesRunSideBySide) {
    RunningProgram first(WithStubs());
    RunningProgram second(WithStubs());
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(second.Started());
    EXPECT_NE(first.MainWindow(), second.MainWindow());
    RunningProgram::Click(second.MainWindow(), kMain, "按钮23");
    EXPECT_EQ(second.WaitForLaunches(1), std::vector<std::string>{"explorer.exe done"});
}

TEST(MainWindowProgram, EscEndsTheProgramWithExitCodeZero) {
    RunningProgram program(WithStubs());
    ASSERT_TRUE(program.Started());
    RunningProgram::PressKey(program.MainWindow(), VK_ESCAPE);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST(MainWindowProgram, ToolCreditsBox) {
    RunningProgram program(WithStubs());
    ASSERT_TRUE(program.Started());
    RunningProgram::Click(program.MainWindow(), kMain, "按钮20");
    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowTextOf(box), "功能工具来源");
    EXPECT_FALSE(IsWindowEnabled(program.MainWindow())) << "the box is task-modal";

    const ControlSpec* credits = FindControl(MainWindowSpec(), "按钮20");
    ASSERT_NE(credits, nullptr);
    std::vector<std::string> buttons;
    bool hasText = false;
    bool hasIcon = false;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string kind = ClassNameOf(child);
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if (kind == "Button") {
            buttons.push_back(WindowTextOf(child));
        } else if (kind == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
            hasIcon = hasIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
        } else if (kind == "Static" && WindowTextOf(child) == credits->onClick[0].text) {
            hasText = true;
        }
    }
    EXPECT_EQ(buttons.size(), 1u);
    EXPECT_TRUE(hasText);
    EXPECT_FALSE(hasIcon);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(program.MainWindow()) != FALSE; }));
}

TEST(MainWindowProgram, OuterSizeAndCentring) {
    RunningProgram program(WithStubs());
    ASSERT_TRUE(program.Started());
    RECT outer;
    GetWindowRect(program.MainWindow(), &outer);
    EXPECT_EQ(outer.right - outer.left, 874);
    EXPECT_EQ(outer.bottom - outer.top, 537);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 874) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 537) / 2);
    EXPECT_EQ(GetWindow(program.MainWindow(), GW_OWNER), nullptr);
}

struct StyleRow {
    ControlKind kind;
    std::string className;
};

TEST(MainWindowProgram, ControlsHaveTheirRectanglesParentsAndStyles) {
    RunningProgram program(WithStubs());
    ASSERT_TRUE(program.Started());
    const WindowSpec& spec = MainWindowSpec();
    for (const ControlSpec& control : spec.controls) {
        SCOPED_TRACE(std::string(control.name));
        HWND hwnd = RunningProgram::Control(program.MainWindow(), kMain, control.name);
        ASSERT_NE(hwnd, nullptr);
        HWND expectedParent =
            control.parent.empty()
                ? program.MainWindow()
                : RunningProgram::Control(program.MainWindow(), kMain, control.parent);
        EXPECT_EQ(GetParent(hwnd), expectedParent);
        RECT rect;
        GetWindowRect(hwnd, &rect);
        MapWindowPoints(nullptr, expectedParent, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, control.rect.left);
        EXPECT_EQ(rect.top, control.rect.top);
        EXPECT_EQ(rect.right - rect.left, control.rect.width);
        EXPECT_EQ(rect.bottom - rect.top, control.rect.height);
        EXPECT_TRUE(IsWindowVisible(hwnd));

        const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
        EXPECT_TRUE(style & WS_CLIPSIBLINGS);
        switch (control.kind) {
        case ControlKind::Button:
            EXPECT_EQ(ClassNameOf(hwnd), "Button");
            EXPECT_EQ(style & BS_TYPEMASK, control.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            EXPECT_EQ(style & (BS_MULTILINE | BS_CENTER | BS_VCENTER | WS_TABSTOP),
                      BS_MULTILINE | BS_CENTER | BS_VCENTER | WS_TABSTOP);
            EXPECT_EQ(WindowTextOf(hwnd), control.caption);
            break;
        case ControlKind::GroupBox:
            EXPECT_EQ(ClassNameOf(hwnd), "Button");
            EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX);
            EXPECT_EQ(style & BS_CENTER,
                      control.captionAlign == HAlign::Centre ? BS_CENTER : BS_LEFT);
            EXPECT_FALSE(style & WS_TABSTOP);
            EXPECT_EQ(WindowTextOf(hwnd), control.caption);
            break;
        case ControlKind::Label:
            EXPECT_EQ(ClassNameOf(hwnd), "TandrelLabel");
            EXPECT_FALSE(style & (WS_TABSTOP | WS_BORDER));
            EXPECT_EQ(WindowTextOf(hwnd), control.caption);
            break;
        default:
            ADD_FAILURE() << "the main window has no such control";
        }
    }
}

TEST(MainWindowProgram, CreditLabelIsStackedAboveTheNoticeGroupBox) {
    RunningProgram program(WithStubs());
    ASSERT_TRUE(program.Started());
    HWND credit = RunningProgram::Control(program.MainWindow(), kMain, "标签7");
    HWND notice = RunningProgram::Control(program.MainWindow(), kMain, "分组框4");
    bool creditFirst = false;
    for (HWND child = GetWindow(program.MainWindow(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == credit) {
            creditFirst = true;
            break;
        }
        if (child == notice) {
            break;
        }
    }
    EXPECT_TRUE(creditFirst);
}

} // namespace
} // namespace tandrel::testing
