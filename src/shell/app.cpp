#include "shell/app.h"

#include "resources/resource_ids.h"
#include "shell/controls.h"
#include "shell/operations.h"
#include "shell/wide.h"
#include "shell/window_builder.h"
#include "update/update_check.h"

#include <cstdlib>
#include <string>

namespace tandrel {
namespace {

constexpr wchar_t kHiddenOwnerClass[] = L"TandrelHiddenOwner";

HWND hiddenOwner = nullptr;
HWND mainWindow = nullptr;

// Makes the executable's folder the current directory: the tool root.
void EnterToolRoot() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    while (length == path.size()) {
        path.resize(path.size() * 2);
        length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    }
    path.resize(length);
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos) {
        SetCurrentDirectoryW(path.substr(0, slash).c_str());
    }
}

HWND CreateHiddenOwner(HINSTANCE instance) {
    RegisterProgramClass(instance, kHiddenOwnerClass, DefWindowProcW);
    return CreateWindowExW(WS_EX_TOOLWINDOW, kHiddenOwnerClass, L"", 0, 0, 0, 0, 0, nullptr,
                           nullptr, instance, nullptr);
}

// Frees the process-wide state when the program ends.
void CleanUp() {
    ReleaseUpdateState();
}

void RegisterCleanUp() {
    static bool registered = false;
    if (!registered) {
        registered = std::atexit(CleanUp) == 0;
    }
}

} // namespace

HWND HiddenOwnerWindow() {
    return hiddenOwner;
}

HWND MainWindowHandle() {
    return mainWindow;
}

HICON ProgramIcon(bool big) {
    const int size = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), TANDREL_ICON_NAME, IMAGE_ICON,
                                         size, size, LR_SHARED));
}

int RunProgram() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    EnterToolRoot();
    hiddenOwner = CreateHiddenOwner(instance);
    RegisterCleanUp();
    mainWindow = BuildWindow(Describe(WindowId::Main), nullptr, nullptr);
    if (mainWindow == nullptr) {
        MessageBoxW(nullptr, Widen("无法创建主窗口，程序将退出。").c_str(), L"Tandrel", MB_OK);
        DestroyWindow(hiddenOwner);
        return 1;
    }
    const int exitCode = RunMainLoop();
    DestroyWindow(hiddenOwner);
    return exitCode;
}

} // namespace tandrel
