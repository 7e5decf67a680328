// The operations that button handlers are made of, and the message loops.
#pragma once

#include "shell/window_builder.h"
#include "shell/window_spec.h"

#include <optional>
#include <string_view>

namespace tandrel {

// Starts a program from a command line without waiting for it to end.
bool LaunchCommand(std::string_view commandLine);

// Opens a window modally and returns once it has been destroyed; a window
// that is already open is only brought forward.
bool OpenWindow(WindowId id);

// Asks for a window to be closed by whichever message loop runs next.
void CloseWindow(WindowId id);

// A plain message box with one OK button; the title defaults to "信息：".
void ShowMessage(std::string_view text, std::optional<std::string_view> title = std::nullopt);

// Runs the steps of a handler for the window whose control or created event fired.
void RunHandler(const Handler& handler, HWND window);

// The modal rule: the main window is disabled while any opened window is open.
void EnterModal(LiveWindow& window);
void LeaveModal(LiveWindow& window);

// Dispatches the thread's messages until `done` becomes true or a quit
// request arrives; a quit request is left in the queue for the outer loop.
void RunMessageLoop(const bool& done);

// The program's main loop; returns the exit code of the quit request.
int RunMainLoop();

} // namespace tandrel
