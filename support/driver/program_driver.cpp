#include "program_driver.h"

#include "shell/wide.h"
#include "tool_root.h"

#include <atomic>
#include <cstdint>

namespace tandrel::driver {
namespace {

std::atomic<int> sessionCounter{0};

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = temp;
    if (!folder.empty() && folder.back() == L'\\') {
        folder.pop_back();
    }
    return folder;
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

std::string ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(GetFileSize(file, nullptr)), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

struct FindContext {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectProcessWindows(HWND hwnd, LPARAM lParam) {
    auto* context = reinterpret_cast<FindContext*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == context->processId && IsWindowVisible(hwnd)) {
        context->windows.push_back(hwnd);
    }
    return TRUE;
}

bool WriteBmp(const std::wstring& path, int width, int height,
              const std::vector<std::uint8_t>& rows) {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
              WriteFile(out, &info, sizeof(info), &written, nullptr) &&
              WriteFile(out, rows.data(), static_cast<DWORD>(rows.size()), &written, nullptr);
    CloseHandle(out);
    return ok;
}

} // namespace

bool CaptureWindow(HWND window, const std::wstring& bmpPath) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) {
        return false;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as BMP files store rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
        const auto* begin = static_cast<const std::uint8_t*>(bits);
        ok = WriteBmp(
            bmpPath, width, height,
            std::vector<std::uint8_t>(begin, begin + stride * static_cast<std::size_t>(height)));
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

std::wstring WideTextOf(HWND hwnd) {
    // WM_GETTEXT reaches an edit box's own text in another process too.
    DWORD_PTR length = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, 5000, &copied);
    text.resize(copied);
    return text;
}

std::string WindowTextOf(HWND hwnd) {
    return Narrow(WideTextOf(hwnd));
}

std::string ClassNameOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return Narrow(name);
}

std::string MessageBoxText(HWND box) {
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if (ClassNameOf(child) == "Static" && (style & SS_TYPEMASK) != SS_ICON) {
            text += WindowTextOf(child);
        }
    }
    return text;
}

std::wstring Widened(const char* path) {
    return Widen(path);
}

RunningProgram::RunningProgram(const ProgramOptions& options) {
    const int session = sessionCounter++;
    ownRoot_ = options.toolRoot.empty();
    root_ = ownRoot_ ? TempFolder() + L"\\Tandrel 测试 " + std::to_wstring(GetCurrentProcessId()) +
                           L"-" + std::to_wstring(session)
                     : options.toolRoot;
    if (ownRoot_) {
        RemoveTree(root_);
    }
    const bool laidOut = options.helpTexts ? LayOutToolRoot(root_)
                                           : (CreateDirectoryW(root_.c_str(), nullptr) != FALSE);
    const bool stubsPlaced =
        options.stubProgram.empty() || PlaceStubPrograms(root_, options.stubProgram);
    const std::wstring program = root_ + L"\\tandrel.exe";
    const bool copied =
        options.program.empty() || CopyFileW(options.program.c_str(), program.c_str(), FALSE);
    if (!laidOut || !stubsPlaced || !copied) {
        return;
    }
    log_ = root_ + L".log";
    DeleteFileW(log_.c_str());
    SetEnvironmentVariableW(L"TANDREL_STUB_LOG", log_.c_str());

    // Started from another folder: the program must find its tool kit itself.
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    const std::wstring elsewhere = TempFolder();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        elsewhere.c_str(), &startup, &process_)) {
        return;
    }
    WaitForInputIdle(process_.hProcess, 10000);
    mainWindow_ = WaitForWindow("当前版本:V2.0.0(正式版)", 20000);
    if (mainWindow_ != nullptr) {
        Settle();
    }
}

RunningProgram::~RunningProgram() {
    if (process_.hProcess != nullptr) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    DeleteFileW(log_.c_str());
    if (ownRoot_) {
        RemoveTree(root_);
    }
}

std::vector<HWND> RunningProgram::VisibleWindows() const {
    FindContext context{process_.dwProcessId, {}};
    EnumWindows(CollectProcessWindows, reinterpret_cast<LPARAM>(&context));
    return context.windows;
}

HWND RunningProgram::WaitForWindow(std::string_view caption, DWORD timeout) const {
    HWND result = nullptr;
    WaitFor(
        [&] {
            for (HWND hwnd : VisibleWindows()) {
                if (ClassNameOf(hwnd) == "TandrelWindow" && WindowTextOf(hwnd) == caption) {
                    result = hwnd;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return result;
}

bool RunningProgram::WaitUntilGone(HWND window, DWORD timeout) const {
    return WaitFor([&] { return !IsWindow(window); }, timeout);
}

HWND RunningProgram::Control(HWND window, WindowId id, std::string_view name) {
    const WindowSpec& spec = Describe(id);
    const ControlSpec* control = FindControl(spec, name);
    if (control == nullptr) {
        return nullptr;
    }
    HWND parent = control->parent.empty() ? window : Control(window, id, control->parent);
    return parent != nullptr ? GetDlgItem(parent, ControlId(spec, name)) : nullptr;
}

void RunningProgram::Type(HWND control, std::wstring_view text) {
    for (wchar_t c : text) {
        PostMessageW(control, WM_CHAR, c, 1);
    }
}

bool RunningProgram::Click(HWND window, WindowId id, std::string_view name) {
    HWND button = Control(window, id, name);
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0);
}

void RunningProgram::PressKey(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

std::vector<std::string> RunningProgram::Launches() const {
    std::vector<std::string> lines;
    const std::string text = ReadWholeFile(log_);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::vector<std::string> RunningProgram::WaitForLaunches(std::size_t count, DWORD timeout) const {
    WaitFor([&] { return Launches().size() >= count; }, timeout);
    return Launches();
}

void RunningProgram::ClearLaunches() const {
    DeleteFileW(log_.c_str());
}

std::vector<HWND> RunningProgram::MessageBoxes() const {
    std::vector<HWND> boxes;
    for (HWND hwnd : VisibleWindows()) {
        if (ClassNameOf(hwnd) == "#32770") {
            boxes.push_back(hwnd);
        }
    }
    return boxes;
}

HWND RunningProgram::WaitForMessageBox(DWORD timeout) const {
    HWND result = nullptr;
    WaitFor(
        [&] {
            const std::vector<HWND> boxes = MessageBoxes();
            result = boxes.empty() ? nullptr : boxes.front();
            return result != nullptr;
        },
        timeout);
    return result;
}

bool RunningProgram::WaitForExit(DWORD timeout, DWORD& exitCode) const {
    if (WaitForSingleObject(process_.hProcess, timeout) != WAIT_OBJECT_0) {
        return false;
    }
    GetExitCodeProcess(process_.hProcess, &exitCode);
    return true;
}

void RunningProgram::Settle() const {
    // Sent messages overtake posted ones, so give the posted ones time first.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(mainWindow_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    Sleep(200);
    SendMessageTimeoutW(mainWindow_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

} // namespace tandrel::driver
