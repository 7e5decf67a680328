// A message box owned by the program's first visible window, from any thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel {

// One top-level window as seen by an enumeration.
struct WindowRecord {
    HWND window = nullptr;
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;
    std::string title;     // at most 255 bytes
    std::string className; // at most 49 bytes
};

// Every top-level window of the desktop, in the order the system reports
// them. Each call has a list of its own, so lookups on several threads at
// once each see exactly their own enumeration.
std::vector<WindowRecord> EnumerateWindows();

// The first visible top-level window of the process, or null.
HWND FindProcessWindow(std::uint32_t processId);

struct NoticeOptions {
    std::optional<UINT> style;        // left out: MB_ICONINFORMATION
    std::optional<std::string> title; // left out: "友情提醒"
    std::optional<HWND> owner;        // left out: this process's first visible window
};

// The box's answer minus 1 (OK gives 0), or -1 when it could not be shown.
int NoticeBox(std::string_view text, const NoticeOptions& options = {});

} // namespace tandrel
