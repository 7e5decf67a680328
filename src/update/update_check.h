// The update check: the program's own version, the download address found by
// the last check, and the checks themselves, each on a worker thread.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tandrel {

// The version the check compares against, held in single precision.
inline constexpr float kProgramVersion = 2.01f;

// Sets the current version and shows it in the window's label.
void ShowCurrentVersion(HWND window, std::string_view label);

// Starts one check for the update window on a worker thread of its own.
void StartUpdateCheck(HWND window);

// The download address of the last announcement found (empty before any).
std::string UpdateAddress();

// Frees the update state at the end of the program; later checks keep nothing.
void ReleaseUpdateState();

} // namespace tandrel
