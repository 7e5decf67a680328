// Starts the real program in a tool root and drives it from outside, as a
// user would: find its windows and controls, post clicks and keys, read what
// the stand-in programs recorded.
#pragma once

#include "shell/window_spec.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tandrel::driver {

struct ProgramOptions {
    std::wstring program;     // the executable to copy into the tool root; empty: already there
    std::wstring stubProgram; // a stand-in copied to every tool kit path; empty: none
    bool helpTexts = true;    // the four help texts
    std::wstring toolRoot;    // where to lay out the tool root; empty: a fresh temporary one
};

class RunningProgram {
  public:
    explicit RunningProgram(const ProgramOptions& options);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return mainWindow_ != nullptr; }
    HWND MainWindow() const { return mainWindow_; }
    const std::wstring& ToolRoot() const { return root_; }

    // A visible top-level window of the program with this caption (GBK).
    HWND WaitForWindow(std::string_view caption, DWORD timeout = 10000) const;
    bool WaitUntilGone(HWND window, DWORD timeout = 10000) const;
    std::vector<HWND> VisibleWindows() const;

    // The control's window inside an open window of the program.
    static HWND Control(HWND window, WindowId id, std::string_view name);
    static bool Click(HWND window, WindowId id, std::string_view name);
    static void PressKey(HWND target, WPARAM key);
    // Types the characters into a control, one key press each.
    static void Type(HWND control, std::wstring_view text);

    // The command lines the stand-in programs were started with, in order.
    std::vector<std::string> Launches() const;
    std::vector<std::string> WaitForLaunches(std::size_t count, DWORD timeout = 10000) const;
    void ClearLaunches() const;

    // A message box of the program, or null after the time-out.
    HWND WaitForMessageBox(DWORD timeout = 10000) const;
    // All message boxes of the program that are on screen.
    std::vector<HWND> MessageBoxes() const;

    bool WaitForExit(DWORD timeout, DWORD& exitCode) const;

    // Waits until the program has handled everything posted to it so far.
    void Settle() const;

  private:
    bool ownRoot_ = true;
    std::wstring root_;
    std::wstring log_;
    PROCESS_INFORMATION process_{};
    HWND mainWindow_ = nullptr;
};

// Saves what the screen shows of the window as a 24-bit BMP file.
bool CaptureWindow(HWND window, const std::wstring& bmpPath);

// The message of a message box: the texts of its static controls.
std::string MessageBoxText(HWND box);

std::string WindowTextOf(HWND hwnd);
std::wstring WideTextOf(HWND hwnd);
std::wstring Widened(const char* path);
std::string ClassNameOf(HWND hwnd);

// Polls `done` every few milliseconds until it holds or the time runs out.
template <typename Condition> bool WaitFor(Condition done, DWORD timeout = 10000) {
    const ULONGLONG end = GetTickCount64() + timeout;
    while (!done()) {
        if (GetTickCount64() > end) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

} // namespace tandrel::driver
