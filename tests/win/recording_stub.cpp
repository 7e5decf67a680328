// Stands in for a tool kit program, the file explorer and the command
// interpreter: appends the command line it was started with to the file
// named by TANDREL_STUB_LOG, one line per start.
#include "shell/wide.h"

#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t logPath[1024] = {};
    if (GetEnvironmentVariableW(L"TANDREL_STUB_LOG", logPath, 1024) == 0) {
        return 1;
    }
    const std::string line = tandrel::Narrow(GetCommandLineW()) + "\n";
    HANDLE log = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    // Waiting for input once tells the launcher that the program is idle.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    return 0;
}
