#include "update/notice_box.h"

#include "shell/wide.h"

namespace tandrel {
namespace {

constexpr int kTitleBuffer = 256;
constexpr int kClassBuffer = 50;

std::string TitleOf(HWND hwnd) {
    wchar_t title[kTitleBuffer] = {};
    GetWindowTextW(hwnd, title, kTitleBuffer);
    std::string text = Narrow(title);
    text.resize(std::min<std::size_t>(text.size(), kTitleBuffer - 1));
    return text;
}

std::string ClassNameOf(HWND hwnd) {
    wchar_t name[kClassBuffer] = {};
    GetClassNameW(hwnd, name, kClassBuffer);
    std::string text = Narrow(name);
    text.resize(std::min<std::size_t>(text.size(), kClassBuffer - 1));
    return text;
}

BOOL CALLBACK AppendRecord(HWND hwnd, LPARAM list) {
    WindowRecord record;
    record.window = hwnd;
    DWORD processId = 0;
    record.threadId = GetWindowThreadProcessId(hwnd, &processId);
    record.processId = processId;
    record.title = TitleOf(hwnd);
    record.className = ClassNameOf(hwnd);
    reinterpret_cast<std::vector<WindowRecord>*>(list)->push_back(std::move(record));
    return TRUE;
}

} // namespace

std::vector<WindowRecord> EnumerateWindows() {
    std::vector<WindowRecord> records;
    EnumWindows(AppendRecord, reinterpret_cast<LPARAM>(&records));
    return records;
}

HWND FindProcessWindow(std::uint32_t processId) {
    for (const WindowRecord& record : EnumerateWindows()) {
        if (record.processId == processId && IsWindowVisible(record.window)) {
            return record.window;
        }
    }
    return nullptr;
}

int NoticeBox(std::string_view text, const NoticeOptions& options) {
    HWND owner = options.owner ? *options.owner : FindProcessWindow(GetCurrentProcessId());
    const std::wstring wideText = Widen(text);
    const std::wstring title = Widen(options.title ? *options.title : std::string("友情提醒"));
    return MessageBoxW(owner, wideText.c_str(), title.c_str(),
                       options.style.value_or(MB_ICONINFORMATION)) -
           1;
}

} // namespace tandrel
