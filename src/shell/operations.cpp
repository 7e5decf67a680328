#include "shell/operations.h"

#include "shell/app.h"
#include "shell/keyboard.h"
#include "shell/step_runner.h"
#include "shell/wide.h"

#include <string>

namespace tandrel {
namespace {

constexpr DWORD kIdleWaitMilliseconds = 1000;

int modalWindows = 0; // opened windows that hold the main window disabled

void Dispatch(const MSG& message) {
    if (HandleWindowKeys(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void BringForward(HWND hwnd) {
    if (IsIconic(hwnd)) {
        ShowWindow(hwnd, SW_RESTORE);
    } else {
        SetActiveWindow(hwnd);
    }
}

} // namespace

bool LaunchCommand(std::string_view commandLine) {
    std::wstring line = Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    WaitForInputIdle(process.hProcess, kIdleWaitMilliseconds);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool OpenWindow(WindowId id) {
    if (HWND existing = OpenInstance(id)) {
        LiveWindow* live = FindLiveWindow(existing);
        if (live != nullptr && !live->closeRequested) {
            BringForward(existing);
            return true;
        }
        // A close is pending: finish it now and open a fresh instance.
        if (live != nullptr) {
            LeaveModal(*live);
        }
        DestroyWindow(existing);
    }
    bool destroyed = false;
    HWND hwnd = BuildWindow(Describe(id), HiddenOwnerWindow(), &destroyed);
    if (hwnd == nullptr) {
        return false;
    }
    EnterModal(*FindLiveWindow(hwnd));
    RunMessageLoop(destroyed);
    return true;
}

void CloseWindow(WindowId id) {
    HWND hwnd = OpenInstance(id);
    LiveWindow* live = FindLiveWindow(hwnd);
    if (live == nullptr) {
        return;
    }
    live->closeRequested = true;
    PostMessageW(hwnd, kCloseRequestMessage, 0, 0);
}

void ShowMessage(std::string_view text, std::optional<std::string_view> title) {
    const std::wstring wideText = Widen(text);
    const std::wstring wideTitle = Widen(title.value_or("信息："));
    MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), MB_OK | MB_TASKMODAL);
}

void RunHandler(const Handler& handler, HWND window) {
    for (const Step& step : handler) {
        RunStep(step, window);
    }
}

void EnterModal(LiveWindow& window) {
    window.modal = true;
    if (modalWindows++ == 0) {
        EnableWindow(MainWindowHandle(), FALSE);
    }
    SetFocus(window.hwnd);
}

void LeaveModal(LiveWindow& window) {
    if (!window.modal) {
        return;
    }
    window.modal = false;
    if (--modalWindows == 0) {
        EnableWindow(MainWindowHandle(), TRUE);
    }
}

void RunMessageLoop(const bool& done) {
    MSG message;
    while (!done) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got == -1) {
            return;
        }
        Dispatch(message);
    }
}

int RunMainLoop() {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) {
            return 1;
        }
        Dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace tandrel
