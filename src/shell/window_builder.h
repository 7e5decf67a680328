// Turns a WindowSpec into live Win32 windows and keeps each open window's
// state on its handle.
#pragma once

#include "shell/window_spec.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace tandrel {

// What an open window carries while it is on screen.
struct LiveWindow {
    const WindowSpec* spec = nullptr;
    HWND hwnd = nullptr;
    std::vector<HWND> controls;                     // in control order
    std::vector<std::pair<FontSpec, HFONT>> fonts;  // one per font used in this window
    std::vector<std::pair<Colour, HBRUSH>> brushes; // one per background colour used
    std::vector<HBRUSH> controlBrushes;             // each control's background, in control order
    HBRUSH background = nullptr;
    bool modal = false;          // counts for the modal rule until it is released
    bool closeRequested = false; // a posted close is pending
    bool* destroyedFlag = nullptr;
};

// Builds the window hidden, runs its created event and shows it. Returns null
// when the top-level window cannot be created.
HWND BuildWindow(const WindowSpec& spec, HWND owner, bool* destroyedFlag);

// The live state of one of the program's top-level windows, or null.
LiveWindow* FindLiveWindow(HWND hwnd);

// The description an open window of the program was built from, or null.
// Safe on any thread.
const WindowSpec* OpenWindowSpec(HWND hwnd);

// The program's open instance of a window, or null.
HWND OpenInstance(WindowId id);

// The control's handle inside an open window, or null when it has none.
HWND ControlHandle(HWND window, std::string_view name);

// Runs a button's click handler.
void ClickControl(LiveWindow& window, std::size_t index);

// Private messages of the program's windows.
inline constexpr UINT kCloseRequestMessage = WM_APP + 1;

} // namespace tandrel
