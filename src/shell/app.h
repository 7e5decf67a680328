// Process-wide state of the program.
#pragma once

#include <windows.h>

namespace tandrel {

HWND HiddenOwnerWindow();
HWND MainWindowHandle();
HICON ProgramIcon(bool big);

// Start-up, the message loop and shutdown; returns the exit code.
int RunProgram();

} // namespace tandrel
